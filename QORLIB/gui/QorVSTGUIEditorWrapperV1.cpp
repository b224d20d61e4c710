#include "QORLIB/gui/QorVSTGUIEditorWrapperV1.h"

#include "QORLIB/gui/CQorBaseControlWrapper.h"
#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/CQorViewContainerWrapper.h"
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/Control.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/X11Window.h"

#include "vellaCor/vellaCorIdentity.h"

#include <algorithm>

namespace Qorwerk
{

uint32_t QorVSTGUIEditorWrapperV1::knobMode() { return QorAnimKnob::knobMode(); }
void QorVSTGUIEditorWrapperV1::setKnobMode(uint32_t mode) { QorAnimKnob::setKnobMode(mode); }

namespace
{
constexpr qortk::Colour kFrameColour{30, 30, 30, 255};
}

QorVSTGUIEditorWrapperV1::QorVSTGUIEditorWrapperV1(const EditorFactory& makeEditor)
{
    if (makeEditor)
        editor_ = makeEditor(this);
    const QorRect r = editor_ ? editor_->getRect() : QorRect{0, 0, 400, 275};
    width_ = r.width();
    height_ = r.height();
}

QorVSTGUIEditorWrapperV1::~QorVSTGUIEditorWrapperV1()
{
    close();
    editor_.reset();
}

qortk::FramePlatform* QorVSTGUIEditorWrapperV1::getPlatform() const
{
    return frame_ ? frame_->platform() : nullptr;
}

bool QorVSTGUIEditorWrapperV1::open(Platform platform, unsigned long parentWindow, std::string* error)
{
    if (frame_)
        return true;
    const double strip = stripHeight();
    frame_ = std::make_unique<QorFrame>(qortk::Rect{0, 0, width_, height_ + strip});
    frame_->setBackgroundColour(kFrameColour);
    if (platform == Platform::kOffscreen)
        frame_->setPlatform(std::make_unique<qortk::OffscreenBackend>(*frame_));
    else
    {
        auto window = qortk::X11Window::create(*frame_, platform == Platform::kX11Embedded ? parentWindow : 0,
                                               vellaCorIdentity::kProductName, error);
        if (!window)
        {
            frame_.reset();
            return false;
        }
        frame_->setPlatform(std::move(window));
    }
    productArea_ = std::make_shared<qortk::ViewContainer>(qortk::Rect{0, strip, width_, height_ + strip});
    productArea_->setMouseTransparent(true);
    frame_->addView(productArea_);
    if (background_)
        setBackground(background_);
    if (editor_)
        editor_->open();
    frameOpened();
    return true;
}

void QorVSTGUIEditorWrapperV1::close()
{
    if (!frame_)
        return;
    // Controls that go mid-drag never see their release; the host must.
    endAllGestures();
    frameClosing();
    if (editor_)
        editor_->close();
    frame_->removeAll();
    productArea_.reset();
    containers_.clear();
    frame_.reset();
}

void QorVSTGUIEditorWrapperV1::setBackground(QorBitmap* bitmap)
{
    background_ = bitmap;
    auto* wrapper = dynamic_cast<CQorBitmapWrapper*>(bitmap);
    if (productArea_ && wrapper)
        productArea_->setBackground(wrapper->bitmap().platformBitmap());
}

void QorVSTGUIEditorWrapperV1::setBackgroundById(int32_t resourceId)
{
    auto own = std::make_unique<CQorBitmapWrapper>(resourceId);
    setBackground(own.get());
    ownBackground_ = std::move(own);
}

CQorViewContainerWrapper* QorVSTGUIEditorWrapperV1::find(QorViewContainer* container) const
{
    for (const auto& c : containers_)
        if (c.get() == container)
            return c.get();
    return nullptr;
}

QorViewContainer* QorVSTGUIEditorWrapperV1::createViewContainer(const QorRect& rect)
{
    containers_.push_back(std::make_unique<CQorViewContainerWrapper>(rect, this, this));
    return containers_.back().get();
}

void QorVSTGUIEditorWrapperV1::addContainer(QorViewContainer* container)
{
    CQorViewContainerWrapper* c = find(container);
    if (!frame_ || !c)
        return;
    // Shown again means shown on top.
    productArea_->removeView(c->view().get());
    productArea_->addView(c->view());
}

void QorVSTGUIEditorWrapperV1::removeContainer(QorViewContainer* container)
{
    if (CQorViewContainerWrapper* c = find(container); frame_ && c)
        productArea_->removeView(c->view().get());
}

bool QorVSTGUIEditorWrapperV1::isContainerAttached(QorViewContainer* container)
{
    CQorViewContainerWrapper* c = find(container);
    return frame_ && c && productArea_->hasChild(c->view().get());
}

void QorVSTGUIEditorWrapperV1::getScaledSize(QorPoint& size)
{
    const double z = getZoomFactor();
    size = {width_ * z, (height_ + stripHeight()) * z};
}

void QorVSTGUIEditorWrapperV1::getButtonState(uint32_t& flags) { flags = frame_ ? frame_->currentButtons() : 0; }

void QorVSTGUIEditorWrapperV1::resize(int32_t width, int32_t height)
{
    if (batchOpen_)
    {
        pendingWidth_ = width;
        pendingHeight_ = height;
        return;
    }
    applySize(width, height);
}

void QorVSTGUIEditorWrapperV1::setResizeBatch(bool open)
{
    if (open)
    {
        batchOpen_ = true;
        pendingWidth_ = pendingHeight_ = 0;
        return;
    }
    batchOpen_ = false;
    if (pendingWidth_ > 0 && pendingHeight_ > 0)
        applySize(pendingWidth_, pendingHeight_);
    pendingWidth_ = pendingHeight_ = 0;
}

void QorVSTGUIEditorWrapperV1::applySize(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    if (!frame_)
        return;
    const double strip = stripHeight();
    // The frame's zoom turns these points into trunc(zoom · size) device pixels.
    frame_->setViewSize(qortk::Rect{0, 0, width_, height_ + strip});
    productArea_->setViewSize(qortk::Rect{0, strip, width_, height_ + strip});
    editorResized(width_, height_);
}

void QorVSTGUIEditorWrapperV1::invalidateAll()
{
    if (frame_)
        frame_->invalidateAll();
}

void QorVSTGUIEditorWrapperV1::forwardParameter(int32_t index, double value)
{
    if (editor_)
        editor_->setParameter(index, value);
}

int32_t QorVSTGUIEditorWrapperV1::gestureParameter(qortk::Control* control) const
{
    // Only the framework's controls make parameter gestures (not the preset bar's text fields).
    if (!editor_ || dynamic_cast<CQorBaseControlWrapper*>(control) == nullptr || control->tag() < 0)
        return -1;
    const int32_t index = editor_->parameterOfTag(static_cast<uint32_t>(control->tag()));
    return index >= 0 && index < 32 ? index : -1;
}

bool QorVSTGUIEditorWrapperV1::isGestureOpen(int32_t index) const
{
    return index >= 0 && index < 32 && (openGestures_ & (1u << index)) != 0;
}

void QorVSTGUIEditorWrapperV1::controlBeginEdit(qortk::Control* control)
{
    const int32_t index = gestureParameter(control);
    if (index < 0 || isGestureOpen(index))
        return;
    openGestures_ |= 1u << index;
    beginEdit(index);
}

void QorVSTGUIEditorWrapperV1::controlEndEdit(qortk::Control* control)
{
    const int32_t index = gestureParameter(control);
    if (!isGestureOpen(index))
        return;
    openGestures_ &= ~(1u << index);
    endEdit(index);
}

void QorVSTGUIEditorWrapperV1::endAllGestures()
{
    for (int32_t index = 0; index < 32; ++index)
        if (isGestureOpen(index))
        {
            openGestures_ &= ~(1u << index);
            endEdit(index);
        }
}

void QorVSTGUIEditorWrapperV1::valueChanged(qortk::Control* control)
{
    if (editor_ && control && control->tag() >= 0)
        editor_->valueChanged(static_cast<uint32_t>(control->tag()), control->value());
}

} // namespace Qorwerk
