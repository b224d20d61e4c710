#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

#include <string>

// A strip button with a text label; a left press toggles its value and reports it.
class PresetBarLabelButton : public PresetBarBasicControl
{
public:
    PresetBarLabelButton(const QorRect& rect, int32_t tag, const std::string& label);

    const std::string& label() const { return label_; }
    void setLabel(const std::string& label);

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

protected:
    void drawLabel(QorDrawContext& context);
    std::string label_;
};
