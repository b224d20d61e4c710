#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>

class QorDrawContext;

// A row of equal labelled segments across a control (the menus' group switches): each
// floor((width - 8) × share) wide, 4 pixels from the edges and 1 pixel apart.
class PresetBarSegmentRow
{
public:
    static constexpr double kEdge = 4.0;
    static constexpr double kGap = 1.0;
    static constexpr double kVerticalInset = 3.0;

    PresetBarSegmentRow(int32_t count, double share) : count_(count), share_(share) {}

    int32_t count() const { return count_; }
    QorRect segment(const QorRect& row, int32_t i) const;
    // The segment under the point, or -1 (the gaps and edges belong to none).
    int32_t hit(const QorRect& row, const QorPoint& where) const;
    // Follows the pointer; true when the segment under it changed (the control redraws then).
    bool trackHover(const QorRect& row, const QorPoint& where);
    void clearHover() { hovered_ = -1; }
    int32_t hovered() const { return hovered_; }
    // selected and hovered may be -1.
    void draw(QorDrawContext& context, const QorRect& row, const char* const* labels, int32_t selected,
              int32_t hovered, const QorColour& highlight) const;

private:
    int32_t count_;
    double share_;
    int32_t hovered_ = -1;
};
