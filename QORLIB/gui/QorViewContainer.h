#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

class QorBaseControl;
class QorBitmap;

// A rectangle of the product area that holds controls; shown and hidden by the engine's
// addContainer and removeContainer.
class QorViewContainer
{
public:
    virtual ~QorViewContainer() = default;
    virtual void setBackground(QorBitmap* bitmap) = 0;
    virtual void setBackgroundColour(const QorColour& colour) = 0;
    // Takes ownership of the control.
    virtual void addControl(QorBaseControl* control) = 0;
    virtual QorRect getRect() const = 0;
    // Moves or resizes the container (its controls keep their own coordinates).
    virtual void setViewSize(const QorRect& rect) = 0;
    // A transparent container lets presses on its empty parts reach what lies below.
    virtual void setMouseTransparent(bool transparent) = 0;
};
