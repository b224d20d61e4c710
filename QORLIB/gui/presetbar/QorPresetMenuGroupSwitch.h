#pragma once

#include "QORLIB/gui/QorHorizontalSwitch.h"
#include "QORLIB/gui/presetbar/PresetBarSegmentRow.h"

// "Application", "Designer", "My presets": which preset directory the menu shows (0, 0.5, 1).
class QorPresetMenuGroupSwitch : public QorHorizontalSwitch
{
public:
    static constexpr int32_t kTag = 75;
    static constexpr double kShare = 0.333;

    explicit QorPresetMenuGroupSwitch(const QorRect& rect);

    const PresetBarSegmentRow& segments() const { return row_; }
    int32_t hoveredSegment() const { return row_.hovered(); }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;
    void onMouseExited() override;
    bool onWheel(const QorPoint& where, float distance, uint32_t flags) override;

private:
    PresetBarSegmentRow row_{3, kShare};
};
