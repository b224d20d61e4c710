#pragma once

#include "QORLIB/gui/presetbar/PresetBarBasicControl.h"

#include <functional>
#include <string>

// The preset name field: number and name on a light field (reddish while modified), shortened
// in the middle when too long, and a triangle saying whether the preset menu is open. A right
// press asks for the name to be edited.
class PresetBarNameControl : public PresetBarBasicControl
{
public:
    static constexpr double kCornerRadius = 3.0;

    PresetBarNameControl(const QorRect& rect, int32_t tag);

    void setName(const std::string& number, const std::string& name, bool modified);
    void setRenameRequest(std::function<void()> request) { renameRequest_ = std::move(request); }
    const std::string& name() const { return name_; }
    const std::string& number() const { return number_; }
    bool isModified() const { return modified_; }
    // The text as drawn: the number and the name, fitted to the field.
    std::string shownText() const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

private:
    QorRect textRect() const;
    std::string number_;
    std::string name_ = "Default";
    bool modified_ = false;
    std::function<void()> renameRequest_;
};
