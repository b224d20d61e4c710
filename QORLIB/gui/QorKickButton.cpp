#include "QORLIB/gui/QorKickButton.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "vellaCor/vellaCorParameters.h"

QorKickButton::QorKickButton(const QorRect& rect, int32_t tag)
    : QorBaseControl(rect, tag, nullptr, kButtonView), frameHeight_(vellaCorParameters::truncToInt(rect.height()))
{
    value_ = 0.0;
}

void QorKickButton::draw(QorDrawContext& context)
{
    if (!bitmap_)
        return;
    const int32_t frame = pressed_ ? 2 : hover_ ? 1 : 0;
    context.drawBitmap(bitmap_, rect_, {0.0, double(frame) * frameHeight_}, 1.0f);
}

int32_t QorKickButton::onMouseDown(const QorPoint&, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseHandledFinal;
    if (doubleClickOnly_ && !(flags & kQorDoubleClick))
        return kQorMouseHandledFinal;
    pressed_ = true;
    value_ = doubleClickOnly_ && (flags & kQorControl) ? 0.5 : 1.0;
    valueChanged();
    invalid();
    return kQorMouseHandled;
}

int32_t QorKickButton::onMouseUp(const QorPoint&, uint32_t)
{
    value_ = 0.0;
    pressed_ = false;
    invalid();
    return kQorMouseHandled;
}
