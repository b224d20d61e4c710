#include "QORLIB/gui/presetbar/PresetBarSaveField.h"

#include "QORLIB/gui/toolkit/KeyEvent.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorPresetName.h"
#include "QORLIB/presets/QorUserPresetFolder.h"

#include <filesystem>

namespace
{
constexpr double kLeft = 124.0, kTop = 3.0, kNameLeft = 128.0, kNameRight = 366.0, kNameBottom = 23.0;
constexpr double kLineTop = 25.0, kBottom = 51.0, kButtonWidth = 58.0;
const qortk::Colour kPanel{44, 44, 47, 250};
const qortk::Colour kAccent{54, 151, 206, 255};
const qortk::Colour kHintText{200, 200, 204, 255};
const qortk::Colour kProblemText{255, 140, 120, 255};
const std::string kOpenQuote = "\xe2\x80\x9c", kCloseQuote = "\xe2\x80\x9d";
} // namespace

PresetBarSaveField::PresetBarSaveField(double stripWidth, Mode mode, QorPresetManager& manager,
                                       std::function<void()> closed)
    : qortk::TextEdit({kLeft, kTop, stripWidth - 2.0, kBottom}), mode_(mode), manager_(manager),
      closed_(std::move(closed))
{
    setMaxLength(255); // longer names are cut on Return, visibly
    setFontColour({0, 0, 0, 255});
    setAlign(qortk::DrawContext::kLeft);
    setText(manager.current().name);
    showHint();
    setTooltipText(mode == Mode::Save ? "Type the preset's name; Return saves it in " + manager.userFolder()
                                      : "Type the setup's new name; Return renames it, the next save offers it");
}

qortk::Rect PresetBarSaveField::nameBox() const { return {kNameLeft, kTop, kNameRight, kNameBottom}; }

qortk::Rect PresetBarSaveField::backButton() const
{
    const double right = viewSize().right - 2.0;
    return {right - kButtonWidth, kLineTop + 3.0, right, kBottom - 2.0};
}

qortk::Rect PresetBarSaveField::acceptButton() const
{
    const qortk::Rect b = backButton();
    return {b.left - kButtonWidth - 4.0, b.top, b.left - 4.0, b.bottom};
}

void PresetBarSaveField::showHint()
{
    problem_ = false;
    if (state_ == State::Confirming)
        message_ = "Return = replace, Esc = back";
    else
        message_ = mode_ == Mode::Save ? "Return = save, Esc = cancel" : "Return = rename, Esc = cancel";
    invalid();
}

void PresetBarSaveField::accept()
{
    if (state_ == State::Done)
        return;
    if (state_ == State::Confirming)
    {
        save(pending_);
        return;
    }
    const QorPresetName::Checked checked = QorPresetName::check(editText());
    if (checked.problem != QorPresetName::Problem::None)
    {
        message_ = QorPresetName::problemText(checked);
        problem_ = true;
        invalid();
        return;
    }
    if (checked.cut)
    {
        // Shown before it is used: the user sees what the preset will be called.
        setEditText(checked.name);
        message_ = "Shortened to fit; Return = " + std::string(mode_ == Mode::Save ? "save" : "rename");
        problem_ = true;
        return;
    }
    if (mode_ == Mode::Rename)
    {
        manager_.renameCurrent(checked.name);
        finish(false);
        return;
    }
    const std::string folder = manager_.userFolder();
    if (folder.empty())
    {
        message_ = "There is no user preset folder";
        problem_ = true;
        invalid();
        return;
    }
    std::error_code error;
    if (std::filesystem::exists(folder + "/" + checked.name + QorUserPresetFolder::kExtension, error))
    {
        pending_ = checked.name;
        state_ = State::Confirming;
        showHint();
        return;
    }
    save(checked.name);
}

void PresetBarSaveField::save(const std::string& name)
{
    if (manager_.savePresetAs(manager_.userFolder() + "/" + name + QorUserPresetFolder::kExtension))
    {
        finish(false);
        return;
    }
    state_ = State::Editing;
    message_ = "Not saved: the file could not be written";
    problem_ = true;
    invalid();
}

void PresetBarSaveField::back()
{
    if (state_ == State::Confirming)
    {
        state_ = State::Editing;
        showHint();
        return;
    }
    finish(true);
}

void PresetBarSaveField::finish(bool cancelled)
{
    if (state_ == State::Done)
        return;
    state_ = State::Done;
    if (cancelled)
        cancel();
    else
        commit();
    // Cancelled like a dialog: presets added meanwhile still show up.
    if (cancelled && mode_ == Mode::Save)
        manager_.rescanUserPresets();
    // The owner may drop this field on the call: nothing of it is used afterwards.
    if (std::function<void()> closed = closed_)
        closed();
}

void PresetBarSaveField::lostFocus()
{
    if (isTextEditing())
        finish(true);
}

bool PresetBarSaveField::onKeyDown(const qortk::KeyEvent& event)
{
    if (!isTextEditing())
        return false;
    switch (event.key)
    {
    case qortk::KeyEvent::kReturn:
        accept();
        return true;
    case qortk::KeyEvent::kEscape:
        back();
        return true;
    case qortk::KeyEvent::kShiftKey:
    case qortk::KeyEvent::kControlKey:
    case qortk::KeyEvent::kAltKey:
        return true;
    default:
        break;
    }
    // Any edit answers the question: the name is being changed.
    if (state_ == State::Confirming)
        state_ = State::Editing;
    const std::string before = editText();
    const bool used = qortk::TextEdit::onKeyDown(event);
    if (editText() != before || problem_)
        showHint();
    return used;
}

qortk::MouseResult PresetBarSaveField::onMouseDown(qortk::Point where, uint32_t buttons)
{
    if (!(buttons & qortk::kLButton) || !isTextEditing())
        return qortk::kMouseHandledFinal;
    if (acceptButton().contains(where))
        accept();
    else if (backButton().contains(where))
        back();
    else if (state_ == State::Confirming && nameBox().contains(where))
        back(); // to the name, to change it
    return qortk::kMouseHandledFinal;
}

void PresetBarSaveField::draw(qortk::DrawContext& context)
{
    if (state_ == State::Done)
        return;
    const qortk::Rect r = viewSize();
    const qortk::Rect line{r.left, kLineTop, r.right, r.bottom};
    context.setLineWidth(1.0);
    context.setFillColour(kPanel);
    context.drawRoundRect(line, 4.0, qortk::DrawContext::kFilled);
    // The name, over the name field.
    context.setFillColour({255, 255, 255, 255});
    context.setFrameColour(kAccent);
    context.drawRoundRect(nameBox(), 3.0, qortk::DrawContext::kFilledAndStroked);
    const qortk::Rect text = nameBox().inset(6.0, 0.0);
    if (state_ == State::Confirming)
    {
        context.setFont({"Arial", 12.0});
        context.setFontColour({150, 40, 30, 255});
        context.drawString("Replace " + kOpenQuote + pending_ + kCloseQuote + "?", text, qortk::DrawContext::kLeft);
    }
    else
        drawEditing(context, text);
    // What the keys do, or why not.
    context.setFont({"Arial", 11.0});
    context.setFontColour(problem_ ? kProblemText : kHintText);
    context.pushClip({line.left + 6.0, line.top, acceptButton().left - 4.0, line.bottom});
    context.drawString(message_, {line.left + 6.0, line.top, acceptButton().left - 4.0, line.bottom},
                       qortk::DrawContext::kLeft);
    context.popClip();
    const char* acceptLabel =
        state_ == State::Confirming ? "Replace" : (mode_ == Mode::Save ? "Save" : "Rename");
    const char* backLabel = state_ == State::Confirming ? "Back" : "Cancel";
    for (int i = 0; i < 2; ++i)
    {
        const qortk::Rect b = i == 0 ? acceptButton() : backButton();
        context.setFillColour(i == 0 ? kAccent : qortk::Colour{70, 70, 76, 255});
        context.drawRoundRect(b, 3.0, qortk::DrawContext::kFilled);
        context.setFontColour({255, 255, 255, 255});
        context.drawString(i == 0 ? acceptLabel : backLabel, b, qortk::DrawContext::kCenter);
    }
}
