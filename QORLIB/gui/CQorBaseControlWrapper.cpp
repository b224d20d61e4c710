#include "QORLIB/gui/CQorBaseControlWrapper.h"

#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/CQorFontWrapper.h"
#include "QORLIB/gui/QorBaseControl.h"
#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/DrawContext.h"

namespace Qorwerk
{
namespace
{
qortk::Rect toRect(const QorRect& r) { return {r.left, r.top, r.right, r.bottom}; }
qortk::Colour toColour(const QorColour& c) { return {c.r, c.g, c.b, c.a}; }
QorPoint toPoint(qortk::Point p) { return {p.x, p.y}; }

qortk::DrawContext::DrawStyle toStyle(int32_t style)
{
    switch (style)
    {
    case QorDrawContext::kFilled:
        return qortk::DrawContext::kFilled;
    case QorDrawContext::kFilledAndStroked:
        return qortk::DrawContext::kFilledAndStroked;
    default:
        return qortk::DrawContext::kStroked;
    }
}
} // namespace

CQorBaseControlWrapper::CQorBaseControlWrapper(std::unique_ptr<QorBaseControl> control,
                                               QorMasterGraphicalEngine* engine, qortk::ControlListener* listener)
    : qortk::Control(toRect(control->getRect()), listener, control->getTag()), control_(std::move(control)),
      engine_(engine)
{
    setMouseableArea(toRect(control_->getMouseableArea()));
    qortk::Control::setValue(control_->getValue());
    setTooltipText(control_->getHint());
    control_->setEngineView(this);
}

CQorBaseControlWrapper::~CQorBaseControlWrapper() { control_->setEngineView(nullptr); }

qortk::MouseResult CQorBaseControlWrapper::toToolkit(int32_t result) const
{
    switch (result)
    {
    case kQorMouseHandled:
        return qortk::kMouseHandled;
    case kQorMouseHandledFinal:
        return qortk::kMouseHandledFinal;
    default:
        return qortk::kMouseNotHandled;
    }
}

void CQorBaseControlWrapper::draw(qortk::DrawContext& context)
{
    context_ = &context;
    context.setAntialias(true);
    control_->draw(*this);
    while (clipDepth_ > 0)
        popClip();
    context_ = nullptr;
}

qortk::MouseResult CQorBaseControlWrapper::onMouseDown(qortk::Point where, uint32_t buttons)
{
    const uint32_t flags = controlFlags(buttons);
    const int32_t tag = control_->getTag();
    const bool offerToHost = control_->wantsHostClick();
    const int32_t result = control_->onMouseDown(toPoint(where), flags);
    // After the control's own handling, so the host sees the press the user made. A press the
    // host was asked about is taken: a control lying below must not ask about its parameter too.
    if (offerToHost && engine_)
    {
        engine_->parameterMouseDown(tag, flags);
        if (result != kQorMouseHandled && result != kQorMouseHandledFinal)
            return qortk::kMouseHandledFinal;
    }
    return toToolkit(result);
}

qortk::MouseResult CQorBaseControlWrapper::onMouseMoved(qortk::Point where, uint32_t buttons)
{
    return toToolkit(control_->onMouseMoved(toPoint(where), controlFlags(buttons)));
}

qortk::MouseResult CQorBaseControlWrapper::onMouseUp(qortk::Point where, uint32_t buttons)
{
    return toToolkit(control_->onMouseUp(toPoint(where), controlFlags(buttons)));
}

void CQorBaseControlWrapper::onMouseEntered(qortk::Point, uint32_t) { control_->onMouseEntered(); }
void CQorBaseControlWrapper::onMouseExited(qortk::Point, uint32_t) { control_->onMouseExited(); }

bool CQorBaseControlWrapper::onWheel(qortk::Point where, float distance, uint32_t buttons)
{
    return control_->onWheel(toPoint(where), distance, controlFlags(buttons));
}

void CQorBaseControlWrapper::setFrameColor(const QorColour& c)
{
    if (context_)
        context_->setFrameColour(toColour(c));
}

void CQorBaseControlWrapper::setFillColor(const QorColour& c)
{
    if (context_)
        context_->setFillColour(toColour(c));
}

void CQorBaseControlWrapper::setFontColor(const QorColour& c)
{
    if (context_)
        context_->setFontColour(toColour(c));
}

void CQorBaseControlWrapper::setFont(const QorFont* font)
{
    if (auto* f = dynamic_cast<const CQorFontWrapper*>(font); f && context_)
        context_->setFont(f->font());
}

void CQorBaseControlWrapper::setLineWidth(double width)
{
    if (context_)
        context_->setLineWidth(width);
}

void CQorBaseControlWrapper::setDrawAntialias(bool on)
{
    if (context_)
        context_->setAntialias(on);
}

void CQorBaseControlWrapper::drawLine(const QorPoint& from, const QorPoint& to)
{
    if (context_)
        context_->drawLine({from.x, from.y}, {to.x, to.y});
}

void CQorBaseControlWrapper::drawRect(const QorRect& r, int32_t style)
{
    if (context_)
        context_->drawRect(toRect(r), toStyle(style));
}

void CQorBaseControlWrapper::drawRoundRect(const QorRect& r, double radius, int32_t style)
{
    if (context_)
        context_->drawRoundRect(toRect(r), radius, toStyle(style));
}

void CQorBaseControlWrapper::drawEllipse(const QorRect& r, int32_t style)
{
    if (context_)
        context_->drawEllipse(toRect(r), toStyle(style));
}

void CQorBaseControlWrapper::drawPolygon(const QorPoint* points, int32_t count, int32_t style)
{
    if (!context_ || !points || count < 2 || count > 64)
        return;
    qortk::Point p[64];
    for (int32_t i = 0; i < count; ++i)
        p[i] = {points[i].x, points[i].y};
    context_->drawPolygon(p, count, toStyle(style));
}

void CQorBaseControlWrapper::drawBitmap(QorBitmap* bitmap, const QorRect& dest, const QorPoint& offset, float alpha)
{
    auto* wrapper = dynamic_cast<CQorBitmapWrapper*>(bitmap);
    if (!context_ || !wrapper)
        return;
    if (const auto& platform = wrapper->bitmap().platformBitmap())
        context_->drawBitmap(*platform, toRect(dest), {offset.x, offset.y}, alpha);
}

void CQorBaseControlWrapper::drawString(const char* text, const QorRect& r, int32_t align, bool antialias)
{
    if (!context_ || !text)
        return;
    const auto a = align == kAlignLeft    ? qortk::DrawContext::kLeft
                   : align == kAlignRight ? qortk::DrawContext::kRight
                                          : qortk::DrawContext::kCenter;
    context_->drawString(text, toRect(r), a, antialias);
}

double CQorBaseControlWrapper::getStringWidth(const char* text)
{
    return context_ && text ? context_->stringWidth(text) : 0.0;
}

void CQorBaseControlWrapper::pushClip(const QorRect& r)
{
    if (!context_)
        return;
    context_->pushClip(toRect(r));
    ++clipDepth_;
}

void CQorBaseControlWrapper::popClip()
{
    if (!context_ || clipDepth_ == 0)
        return;
    context_->popClip();
    --clipDepth_;
}

void CQorBaseControlWrapper::takeValue(double value)
{
    qortk::Control::setValue(value);
    invalid();
}

void CQorBaseControlWrapper::reportEdit(double value)
{
    qortk::Control::setValue(value);
    valueChanged();
}

void CQorBaseControlWrapper::setHint(const char* text) { setTooltipText(text ? text : ""); }

void CQorBaseControlWrapper::takeViewSize(const QorRect& r) { setViewSize(toRect(r)); }

void CQorBaseControlWrapper::takeMouseableArea(const QorRect& r) { setMouseableArea(toRect(r)); }

} // namespace Qorwerk
