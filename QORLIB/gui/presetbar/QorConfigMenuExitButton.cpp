#include "QORLIB/gui/presetbar/QorConfigMenuExitButton.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/PresetBarTextFit.h"

void QorConfigMenuExitButton::setNote(const std::string& note)
{
    if (note == note_)
        return;
    note_ = note;
    invalid();
}

void QorConfigMenuExitButton::draw(QorDrawContext& context)
{
    if (note_.empty())
        return;
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(PresetBarColours::kWarning);
    const QorRect line{rect_.left + 8, rect_.top + 8, rect_.right - 8, rect_.top + 28};
    const std::string shown = PresetBarTextFit::fitText(note_, line.width());
    context.drawString(shown.c_str(), line, QorDrawContext::kAlignCentre, true);
}

int32_t QorConfigMenuExitButton::onMouseDown(const QorPoint&, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    value_ = 1.0;
    valueChanged();
    value_ = 0.0;
    return kQorMouseHandledFinal;
}
