#pragma once

#include "QORLIB/gui/toolkit/TextEdit.h"

#include <functional>
#include <string>

class QorPresetManager;

// The name typed over the preset name field: to save the current setup as a user preset (on
// desktops without a save dialog) or to rename it. The view covers the name's row and a line
// below it that says what Return and Escape do, shows why a name was refused, and holds two
// buttons for the mouse. Saving over an existing preset asks first. Return accepts, Escape goes
// back (from the question to the name, from the name out); a click elsewhere cancels.
class PresetBarSaveField : public qortk::TextEdit
{
public:
    enum class Mode
    {
        Save,
        Rename,
    };
    enum class State
    {
        Editing,
        Confirming, // the file exists: replace it?
        Done,
    };

    // stripWidth: the width of the strip in points; the field sits at the name (128..366) and
    // its line below reaches to the strip's right end.
    PresetBarSaveField(double stripWidth, Mode mode, QorPresetManager& manager, std::function<void()> closed);

    Mode mode() const { return mode_; }
    State state() const { return state_; }
    // The line below the name: what the keys do, or why the name was not taken.
    const std::string& message() const { return message_; }
    bool messageIsProblem() const { return problem_; }
    // Return and Escape, also the two buttons.
    void accept();
    void back();
    // The two buttons, in the frame's points.
    qortk::Rect acceptButton() const;
    qortk::Rect backButton() const;

    void lostFocus() override;
    bool onKeyDown(const qortk::KeyEvent& event) override;
    qortk::MouseResult onMouseDown(qortk::Point where, uint32_t buttons) override;
    void draw(qortk::DrawContext& context) override;

private:
    qortk::Rect nameBox() const;
    void showHint();
    void finish(bool cancelled);
    void save(const std::string& name);

    Mode mode_;
    QorPresetManager& manager_;
    std::function<void()> closed_;
    State state_ = State::Editing;
    std::string message_;
    bool problem_ = false;
    std::string pending_; // the name waiting for the answer to "Replace?"
};
