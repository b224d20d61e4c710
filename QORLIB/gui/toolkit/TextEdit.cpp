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
    caret_ = anchor_ = editText_.size();
    beginEdit();
    f->setFocusView(this);
    invalid();
}

void TextEdit::setEditText(std::string text)
{
    editText_ = std::move(text);
    caret_ = anchor_ = editText_.size();
    invalid();
}

void TextEdit::selectAll()
{
    anchor_ = 0;
    caret_ = editText_.size();
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

void TextEdit::moveCaret(size_t to, bool extend)
{
    caret_ = to;
    if (!extend)
        anchor_ = caret_;
}

void TextEdit::eraseSelection()
{
    const size_t from = selectionStart();
    editText_.erase(from, selectionEnd() - from);
    caret_ = anchor_ = from;
}

void TextEdit::insert(const std::string& text)
{
    eraseSelection();
    // Whole characters only, as many as fit.
    size_t take = 0;
    while (take < text.size())
    {
        const size_t next = nextCharacter(text, take);
        if (editText_.size() + next > maxLength_)
            break;
        take = next;
    }
    editText_.insert(caret_, text, 0, take);
    caret_ += take;
    anchor_ = caret_;
}

bool TextEdit::onKeyDown(const KeyEvent& event)
{
    if (!textEditing_)
        return false;
    const bool shift = (event.modifiers & kShift) != 0;
    const bool control = (event.modifiers & kControl) != 0;
    switch (event.key)
    {
    case KeyEvent::kReturn:
        commit();
        return true;
    case KeyEvent::kEscape:
        cancel();
        return true;
    case KeyEvent::kBackspace:
        if (selectionStart() == selectionEnd())
            anchor_ = previousCharacter(editText_, caret_);
        eraseSelection();
        break;
    case KeyEvent::kDelete:
        if (selectionStart() == selectionEnd())
            anchor_ = nextCharacter(editText_, caret_);
        eraseSelection();
        break;
    case KeyEvent::kLeft:
        if (!shift && selectionStart() != selectionEnd())
            moveCaret(selectionStart(), false);
        else
            moveCaret(previousCharacter(editText_, caret_), shift);
        break;
    case KeyEvent::kRight:
        if (!shift && selectionStart() != selectionEnd())
            moveCaret(selectionEnd(), false);
        else
            moveCaret(nextCharacter(editText_, caret_), shift);
        break;
    case KeyEvent::kHome:
        moveCaret(0, shift);
        break;
    case KeyEvent::kEnd:
        moveCaret(editText_.size(), shift);
        break;
    default:
        if (event.text.empty())
            return false;
        if (control)
        {
            // Shortcuts, never text.
            if (event.text == "a" || event.text == "A")
                selectAll();
            return true;
        }
        if (static_cast<unsigned char>(event.text[0]) < 0x20)
            return true;
        insert(event.text);
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
    drawEditing(context, textRect());
}

void TextEdit::drawEditing(DrawContext& context, const Rect& r)
{
    context.setFont(font());
    context.setFontColour(fontColour());
    const double full = context.stringWidth(editText_);
    double left = r.left;
    if (align() == DrawContext::kCenter)
        left = r.left + (r.width() - full) / 2.0;
    else if (align() == DrawContext::kRight)
        left = r.right - full;
    // Keep the caret in sight when the text is wider than the field.
    const std::string_view text(editText_);
    const double caretX = context.stringWidth(text.substr(0, caret_));
    if (left + caretX > r.right - 1.0)
        left = r.right - 1.0 - caretX;
    if (left + caretX < r.left)
        left = r.left - caretX;
    context.pushClip(r.inset(-2.0, 0.0));
    if (selectionStart() != selectionEnd())
    {
        const double from = left + context.stringWidth(text.substr(0, selectionStart()));
        const double to = left + context.stringWidth(text.substr(0, selectionEnd()));
        context.setFillColour({54, 151, 206, 110});
        context.drawRect(Rect{from, r.top + 3.0, to, r.bottom - 3.0}, DrawContext::kFilled);
    }
    context.drawString(editText_, Rect{left, r.top, left + full + 1.0, r.bottom}, DrawContext::kLeft, true);
    context.setFrameColour(fontColour());
    context.setLineWidth(1.0);
    const double x = left + caretX + 0.5;
    context.drawLine({x, r.top + 3.0}, {x, r.bottom - 3.0});
    context.popClip();
}

} // namespace qortk
