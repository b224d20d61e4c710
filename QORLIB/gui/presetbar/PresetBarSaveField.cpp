#include "QORLIB/gui/presetbar/PresetBarSaveField.h"

#include "QORLIB/gui/toolkit/KeyEvent.h"

PresetBarSaveField::PresetBarSaveField(const qortk::Rect& size, std::function<void(const std::string&)> save,
                                       std::function<void()> cancelled)
    : qortk::TextEdit(size), save_(std::move(save)), cancelled_(std::move(cancelled))
{
    setMaxLength(200);
}

void PresetBarSaveField::lostFocus()
{
    if (!isTextEditing())
        return;
    cancel();
    if (cancelled_)
        cancelled_();
}

bool PresetBarSaveField::onKeyDown(const qortk::KeyEvent& event)
{
    if (!isTextEditing())
        return false;
    if (event.key == qortk::KeyEvent::kEscape)
    {
        cancel();
        if (cancelled_)
            cancelled_();
        return true;
    }
    if (event.key == qortk::KeyEvent::kReturn)
    {
        commit();
        if (save_)
            save_(text());
        return true;
    }
    return qortk::TextEdit::onKeyDown(event);
}
