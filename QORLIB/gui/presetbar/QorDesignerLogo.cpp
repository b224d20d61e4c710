#include "QORLIB/gui/presetbar/QorDesignerLogo.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/platform/QorShell.h"
#include "vellaCor/vellaCorIdentity.h"

QorDesignerLogo::QorDesignerLogo(const QorRect& rect) : QorCustomControl(rect, kTag) { value_ = 0.0; }

void QorDesignerLogo::setDesigner(QorBitmap* photo, const std::string& webAddress)
{
    bitmap_ = photo;
    address_ = webAddress.empty() ? vellaCorIdentity::kMakerWebAddress : webAddress;
    invalid();
}

QorRect QorDesignerLogo::photoRect() const
{
    const double left = rect_.left + (rect_.width() - kPhotoSize) / 2;
    const double bottom = rect_.bottom - kBottomMargin;
    return {left, bottom - kPhotoSize, left + kPhotoSize, bottom};
}

void QorDesignerLogo::draw(QorDrawContext& context)
{
    if (!bitmap_ || rect_.width() < kPhotoSize || rect_.height() < kPhotoSize)
        return;
    const QorRect photo = photoRect();
    context.drawBitmap(bitmap_, photo, {0, 0}, 1.0f);
    if (hover_)
    {
        context.setLineWidth(1.0);
        context.setFrameColor(PresetBarColours::kHoverOutline);
        context.drawRect(photo, QorDrawContext::kStroked);
    }
}

int32_t QorDesignerLogo::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (bitmap_ && photoRect().contains(where))
    {
        QorShell::open(address_);
        return kQorMouseHandledFinal;
    }
    value_ = 1.0;
    valueChanged();
    value_ = 0.0;
    return kQorMouseHandledFinal;
}
