#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

class QorDrawContext;

// The two 20 × 20 arrow boxes left and right of a control's centre (floored to whole pixels),
// shared by the nudge and the undo/redo controls.
struct PresetBarArrowPair
{
    QorRect left;
    QorRect right;

    static PresetBarArrowPair around(const QorRect& control);
    // 0 over the left box, 1 over the right one, -1 elsewhere.
    int32_t boxAt(const QorPoint& where) const;
    // Arrows pointing outwards; the one under the mouse (hot: 0 or 1) in the hover colour.
    void draw(QorDrawContext& context, int32_t hot, bool curved) const;
};
