#include "QORLIB/gui/toolkit/TextEdit.h"

#include "QORLIB/gui/toolkit/Frame.h"

namespace qortk
{
namespace
{
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

size_t previousCharacter(const std::string& s, size_t pos)
{
    if (pos == 0)
        return 0;
    --pos;
    while (pos > 0 && isContinuation(s[pos]))
        --pos;
    return pos;
}

size_t nextCharacter(const std::string& s, size_t pos)
{
    if (pos >= s.size())
        return s.size();
    ++pos;
    while (pos < s.size() && isContinuation(s[pos]))
        ++pos;
    return pos;
}
} // namespace

TextEdit::TextEdit(const Rect& size, std::string text, ControlListener* listener, int32_t tag)
    : TextLabel(size, std::move(text), listener, tag)
{
}

void TextEdit::startEditing()
{
    if (textEditing_)
        return;
    Frame* f = frame();
    if (!f)
        return;
    textEditing_ = true;
    before_ = text();
    editText_ = before_;
    caret_ = editText_.size();
    beginEdit();
    f->setFocusView(this);
    invalid();
}

void TextEdit::stopEditing()
{
    textEditing_ = false;
    if (Frame* f = frame(); f && f->focusView() == this)
        f->setFocusView(nullptr);
    endEdit();
    invalid();
}

void TextEdit::commit()
{
    if (!textEditing_)
        return;
    setText(editText_);
    stopEditing();
    valueChanged();
}

void TextEdit::cancel()
{
    if (!textEditing_)
        return;
    editText_ = before_;
    stopEditing();
}

void TextEdit::lostFocus() { commit(); }

MouseResult TextEdit::onMouseDown(Point, uint32_t buttons)
{
    if (!(buttons & kLButton))
        return kMouseNotHandled;
    startEditing();
    return kMouseHandledFinal;
}

bool TextEdit::onKeyDown(const KeyEvent& event)
{
    if (!textEditing_)
        return false;
    switch (event.key)
    {
    case KeyEvent::kReturn:
        commit();
        return true;
    case KeyEvent::kEscape:
        cancel();
        return true;
    case KeyEvent::kBackspace:
        if (caret_ > 0)
        {
            const size_t from = previousCharacter(editText_, caret_);
            editText_.erase(from, caret_ - from);
            caret_ = from;
        }
        break;
    case KeyEvent::kDelete:
        editText_.erase(caret_, nextCharacter(editText_, caret_) - caret_);
        break;
    case KeyEvent::kLeft:
        caret_ = previousCharacter(editText_, caret_);
        break;
    case KeyEvent::kRight:
        caret_ = nextCharacter(editText_, caret_);
        break;
    case KeyEvent::kHome:
        caret_ = 0;
        break;
    case KeyEvent::kEnd:
        caret_ = editText_.size();
        break;
    default:
        if (event.text.empty() || static_cast<unsigned char>(event.text[0]) < 0x20 ||
            editText_.size() + event.text.size() > maxLength_)
            return !event.text.empty();
        editText_.insert(caret_, event.text);
        caret_ += event.text.size();
        break;
    }
    invalid();
    return true;
}

void TextEdit::draw(DrawContext& context)
{
    if (!textEditing_)
    {
        TextLabel::draw(context);
        return;
    }
    drawBackground(context);
    context.setFont(font());
    context.setFontColour(fontColour());
    const Rect r = textRect();
    const double full = context.stringWidth(editText_);
    double left = r.left;
    if (align() == DrawContext::kCenter)
        left = r.left + (r.width() - full) / 2.0;
    else if (align() == DrawContext::kRight)
        left = r.right - full;
    // Keep the caret in sight when the text is wider than the field.
    const double caretX = context.stringWidth(std::string_view(editText_).substr(0, caret_));
    if (left + caretX > r.right - 1.0)
        left = r.right - 1.0 - caretX;
    if (left + caretX < r.left)
        left = r.left - caretX;
    context.pushClip(viewSize());
    context.drawString(editText_, Rect{left, r.top, left + full + 1.0, r.bottom}, DrawContext::kLeft, true);
    context.setFrameColour(fontColour());
    context.setLineWidth(1.0);
    const double x = left + caretX + 0.5;
    context.drawLine({x, r.top + 3.0}, {x, r.bottom - 3.0});
    context.popClip();
}

} // namespace qortk
