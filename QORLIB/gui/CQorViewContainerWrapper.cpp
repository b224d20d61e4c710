#include "QORLIB/gui/CQorViewContainerWrapper.h"

#include "QORLIB/gui/CQorBaseControlWrapper.h"
#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/QorBaseControl.h"

namespace Qorwerk
{

CQorViewContainerWrapper::CQorViewContainerWrapper(const QorRect& rect, QorMasterGraphicalEngine* engine,
                                                   qortk::ControlListener* listener)
    : view_(std::make_shared<qortk::ViewContainer>(qortk::Rect{rect.left, rect.top, rect.right, rect.bottom})),
      engine_(engine), listener_(listener)
{
    // Presses on empty parts reach what lies below (the about container covers everything).
    view_->setMouseTransparent(true);
}

void CQorViewContainerWrapper::setBackground(QorBitmap* bitmap)
{
    if (auto* wrapper = dynamic_cast<CQorBitmapWrapper*>(bitmap))
        view_->setBackground(wrapper->bitmap().platformBitmap());
}

void CQorViewContainerWrapper::setBackgroundColour(const QorColour& c) { view_->setBackgroundColour({c.r, c.g, c.b, c.a}); }

void CQorViewContainerWrapper::addControl(QorBaseControl* control)
{
    if (!control)
        return;
    view_->addView(std::make_shared<CQorBaseControlWrapper>(std::unique_ptr<QorBaseControl>(control), engine_, listener_));
}

void CQorViewContainerWrapper::setViewSize(const QorRect& r)
{
    view_->invalid();
    view_->setViewSize({r.left, r.top, r.right, r.bottom});
    view_->invalid();
}

QorRect CQorViewContainerWrapper::getRect() const
{
    const auto& r = view_->viewSize();
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace Qorwerk
