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

// "What failed: why" reads better as two centred lines than as one cut in the middle.
void QorConfigMenuExitButton::draw(QorDrawContext& context)
{
    if (note_.empty())
        return;
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(PresetBarColours::kWarning);
    const size_t colon = note_.find(": ");
    const std::string lines[2] = {note_.substr(0, colon),
                                  colon == std::string::npos ? std::string() : note_.substr(colon + 2)};
    double top = rect_.top + 8;
    for (const std::string& text : lines)
    {
        const QorRect line{rect_.left + 8, top, rect_.right - 8, top + 18};
        context.drawString(PresetBarTextFit::fitText(text, line.width()).c_str(), line, QorDrawContext::kAlignCentre, true);
        top += 18;
    }
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
