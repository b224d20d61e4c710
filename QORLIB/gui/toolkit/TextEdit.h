#pragma once

#include "QORLIB/gui/toolkit/TextLabel.h"

#include <cstddef>

namespace qortk
{

// A text label that the user can edit in place: a click starts editing, Return or a click
// elsewhere commits (and reports), Escape restores the old text.
class TextEdit : public TextLabel
{
public:
    TextEdit(const Rect& size, std::string text = {}, ControlListener* listener = nullptr, int32_t tag = -1);

    void setMaxLength(size_t bytes) { maxLength_ = bytes; }
    bool isTextEditing() const { return textEditing_; }
    size_t caret() const { return caret_; }
    void startEditing();
    void commit();
    void cancel();

    void draw(DrawContext& context) override;
    MouseResult onMouseDown(Point where, uint32_t buttons) override;
    bool onKeyDown(const KeyEvent& event) override;
    void lostFocus() override;

private:
    void stopEditing();
    std::string editText_;
    std::string before_;
    size_t caret_ = 0;
    size_t maxLength_ = 255;
    bool textEditing_ = false;
};

} // namespace qortk
