#pragma once

namespace qortk
{

class Control;

// Receives the user's edits of controls.
class ControlListener
{
public:
    virtual ~ControlListener() = default;
    virtual void valueChanged(Control* control) = 0;
    virtual void controlBeginEdit(Control*) {}
    virtual void controlEndEdit(Control*) {}
};

} // namespace qortk
