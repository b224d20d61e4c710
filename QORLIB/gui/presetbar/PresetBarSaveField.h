#pragma once

#include "QORLIB/gui/toolkit/TextEdit.h"

#include <functional>
#include <string>

// The save field inside the editor, for desktops without a save dialog: the preset's file name
// is typed over the name field. Return saves; Escape or a click elsewhere cancels.
class PresetBarSaveField : public qortk::TextEdit
{
public:
    PresetBarSaveField(const qortk::Rect& size, std::function<void(const std::string&)> save,
                       std::function<void()> cancelled);

    void lostFocus() override;
    bool onKeyDown(const qortk::KeyEvent& event) override;

private:
    std::function<void(const std::string&)> save_;
    std::function<void()> cancelled_;
};
