#pragma once

#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/toolkit/ViewContainer.h"

#include <memory>

class QorMasterGraphicalEngine;

namespace qortk
{
class ControlListener;
}

namespace Qorwerk
{

// The framework's container over a toolkit container; controls added to it get a toolkit view
// and belong to the container from then on.
class CQorViewContainerWrapper : public QorViewContainer
{
public:
    CQorViewContainerWrapper(const QorRect& rect, QorMasterGraphicalEngine* engine, qortk::ControlListener* listener);

    void setBackground(QorBitmap* bitmap) override;
    void setBackgroundColour(const QorColour& colour) override;
    void addControl(QorBaseControl* control) override;
    QorRect getRect() const override;
    void setViewSize(const QorRect& rect) override;
    void setMouseTransparent(bool transparent) override { view_->setMouseTransparent(transparent); }

    const std::shared_ptr<qortk::ViewContainer>& view() const { return view_; }

private:
    std::shared_ptr<qortk::ViewContainer> view_;
    QorMasterGraphicalEngine* engine_;
    qortk::ControlListener* listener_;
};

} // namespace Qorwerk
