#pragma once

#include "QORLIB/gui/toolkit/TextLabel.h"

#include <cstddef>

namespace qortk
{

// A text label that the user can edit in place: a click starts editing, Return or a click
// elsewhere commits (and reports), Escape restores the old text. The usual editing keys work:
// arrows, Home, End, Backspace, Delete, Shift with a move to select, Ctrl+A to select all.
class TextEdit : public TextLabel
{
public:
    TextEdit(const Rect& size, std::string text = {}, ControlListener* listener = nullptr, int32_t tag = -1);

    // Longest text in bytes; typing never splits a character to stay within it.
    void setMaxLength(size_t bytes) { maxLength_ = bytes; }
    bool isTextEditing() const { return textEditing_; }
    // The text being edited (the label's text until committed).
    const std::string& editText() const { return editText_; }
    // Replaces the text being edited; the caret goes to its end.
    void setEditText(std::string text);
    size_t caret() const { return caret_; }
    // The selected bytes: [selectionStart, selectionEnd), empty when equal.
    size_t selectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    size_t selectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    void selectAll();
    void startEditing();
    void commit();
    void cancel();

    void draw(DrawContext& context) override;
    MouseResult onMouseDown(Point where, uint32_t buttons) override;
    bool onKeyDown(const KeyEvent& event) override;
    void lostFocus() override;

protected:
    // The text being edited, its selection and caret, inside box (no background).
    void drawEditing(DrawContext& context, const Rect& box);

private:
    void stopEditing();
    void moveCaret(size_t to, bool extend);
    void eraseSelection();
    void insert(const std::string& text);
    std::string editText_;
    std::string before_;
    size_t caret_ = 0;
    size_t anchor_ = 0; // the other end of the selection
    size_t maxLength_ = 255;
    bool textEditing_ = false;
};

} // namespace qortk
