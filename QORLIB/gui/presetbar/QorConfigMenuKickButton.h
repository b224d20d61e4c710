#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

// "Manual:" with an "Open" button in the right half; a press on the button reports 1.
class QorConfigMenuKickButton : public PresetBarBasicControl
{
public:
    static constexpr int32_t kTag = 55;

    explicit QorConfigMenuKickButton(const QorRect& rect);

    QorRect buttonRect() const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;

private:
    bool overButton_ = false;
};
