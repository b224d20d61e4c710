#pragma once

#include "QORLIB/gui/QorCustomControl.h"
#include "QORLIB/gui/presetbar/PresetBarSegmentRow.h"

// "Global settings" (0) and "Plugin info" (1), the configuration menu's pages.
class QorConfigMenuGroupSwitch : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 62;
    static constexpr double kShare = 0.5;

    explicit QorConfigMenuGroupSwitch(const QorRect& rect);

    const PresetBarSegmentRow& segments() const { return row_; }
    int32_t page() const { return value_ > 0.5 ? 1 : 0; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    void onMouseExited() override;

private:
    PresetBarSegmentRow row_{2, kShare};
};
