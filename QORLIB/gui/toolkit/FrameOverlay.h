#pragma once

#include "QORLIB/gui/toolkit/Rect.h"

namespace qortk
{

class DrawContext;

// Something the frame paints above its views but below the tooltip, that takes no mouse
// events and never changes which view is under the pointer (a value readout).
class FrameOverlay
{
public:
    virtual ~FrameOverlay() = default;
    // bounds: the frame's own rectangle, in points.
    virtual void drawOverlay(DrawContext& context, const Rect& bounds) = 0;
};

} // namespace qortk
