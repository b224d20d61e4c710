#include "QORLIB/gui/QorFrame.h"

#include <algorithm>
#include <cmath>

namespace Qorwerk
{

bool QorFrame::zoomFor(double requested, double& zoom)
{
    if (requested == 0.0 || std::isnan(requested))
        return false;
    if (requested <= 0.01)
        zoom = 1.0;
    else
        zoom = std::clamp(requested, kMinZoom, kMaxZoom);
    return true;
}

bool QorFrame::setZoom(double requested)
{
    double zoom = 1.0;
    if (!zoomFor(requested, zoom))
        return false;
    zoom_ = zoom;
    setZoomTransform(zoom);
    return true;
}

bool QorFrame::keyDown(const qortk::KeyEvent& event)
{
    switch (event.key)
    {
    case qortk::KeyEvent::kShiftKey:
        keyModifier_ = qortk::kShift;
        break;
    case qortk::KeyEvent::kControlKey:
        keyModifier_ = qortk::kControl;
        break;
    case qortk::KeyEvent::kAltKey:
        keyModifier_ = qortk::kAlt;
        break;
    default:
        break;
    }
    return qortk::Frame::keyDown(event);
}

bool QorFrame::keyUp(const qortk::KeyEvent& event)
{
    keyModifier_ = 0;
    return qortk::Frame::keyUp(event);
}

uint32_t QorFrame::currentButtons() const { return qortk::Frame::currentButtons() | keyModifier_; }

} // namespace Qorwerk
