#include "QORLIB/gui/presetbar/QorPresetCustomMenu.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/PresetBarTextFit.h"

#include <algorithm>
#include <cmath>

QorPresetCustomMenu::QorPresetCustomMenu(const QorRect& rect, int32_t tag)
    : QorCustomControl(rect, tag), highlight_(PresetBarColours::kFactoryHighlight)
{
    value_ = 0.0;
    layoutCells();
}

void QorPresetCustomMenu::setUserColours(bool user)
{
    highlight_ = user ? PresetBarColours::kUserHighlight : PresetBarColours::kFactoryHighlight;
    invalid();
}

void QorPresetCustomMenu::rebuild()
{
    count_ = std::clamp(itemCount(), 0, kMaxShown);
    for (int32_t i = 0; i < kMaxCells; ++i)
    {
        cells_[static_cast<size_t>(i)].value = i < count_ ? i : -1;
        labels_[static_cast<size_t>(i)] = i < count_ ? itemLabel(i) : std::string();
    }
    selected_ = -1;
    hovered_ = -1;
    position_ = 0.0;
    layoutCells();
    invalid();
}

void QorPresetCustomMenu::setViewSize(const QorRect& rect)
{
    QorCustomControl::setViewSize(rect);
    layoutCells();
}

// Cell columns and rows for a cell area of the given width.
void QorPresetCustomMenu::geometry(double areaWidth)
{
    cellWidth_ = std::max(1.0, std::min(kCellWidth, areaWidth));
    columns_ = std::max(1, static_cast<int32_t>(areaWidth / cellWidth_));
    visibleRows_ = std::max(1, static_cast<int32_t>(rect_.height() / kCellHeight));
    const int32_t needed = (count_ + columns_ - 1) / columns_;
    // A short list still fills its first cell column before starting the next.
    rowsPerColumn_ = std::max({needed, visibleRows_ - 1, 1});
}

void QorPresetCustomMenu::layoutCells()
{
    geometry(rect_.width());
    scrollBar_ = rowsPerColumn_ > visibleRows_;
    if (scrollBar_)
        geometry(rect_.width() - kScrollBarWidth - kScrollBarGap);
    for (int32_t i = 0; i < kMaxCells; ++i)
    {
        const int32_t column = i / rowsPerColumn_;
        const int32_t row = i % rowsPerColumn_;
        const double left = rect_.left + column * cellWidth_;
        const double top = rect_.top + row * kCellHeight;
        cells_[static_cast<size_t>(i)].rect = {left, top, left + cellWidth_, top + kCellHeight};
    }
    setScrollPosition(position_);
}

double QorPresetCustomMenu::cellOffset() const
{
    if (!scrollBar_)
        return 0.0;
    return std::min(0.0, -(rowsPerColumn_ - visibleRows_) * kCellHeight * position_);
}

QorRect QorPresetCustomMenu::shownCellRect(int32_t i) const
{
    QorRect r = cells_[static_cast<size_t>(std::clamp(i, 0, kMaxCells - 1))].rect;
    const double offset = cellOffset();
    r.top += offset;
    r.bottom += offset;
    return r;
}

QorRect QorPresetCustomMenu::trackRect() const
{
    return {rect_.right - kScrollBarWidth, rect_.top, rect_.right, rect_.bottom};
}

QorRect QorPresetCustomMenu::thumbRect() const
{
    const QorRect track = trackRect();
    const double share = std::min(1.0, double(visibleRows_) / std::max(1, rowsPerColumn_));
    const double height = track.height() * share;
    const double top = track.top + (track.height() - height) * position_;
    return {track.left, top, track.right, top + height};
}

void QorPresetCustomMenu::setScrollPosition(double position)
{
    position_ = scrollBar_ && !std::isnan(position) ? std::clamp(position, 0.0, 1.0) : 0.0;
    invalid();
}

int32_t QorPresetCustomMenu::selectedValue() const
{
    return selected_ >= 0 ? cells_[static_cast<size_t>(selected_)].value : -1;
}

void QorPresetCustomMenu::select(int32_t value)
{
    selected_ = -1;
    if (value >= 0)
        for (int32_t i = 0; i < count_; ++i)
            if (cells_[static_cast<size_t>(i)].value == value)
            {
                selected_ = i;
                break;
            }
    // Bring the selected row into view when it lies outside.
    if (selected_ >= 0 && scrollBar_)
    {
        const int32_t row = selected_ % rowsPerColumn_;
        const int32_t hidden = rowsPerColumn_ - visibleRows_;
        const double firstShown = hidden * position_;
        if (row < firstShown)
            setScrollPosition(double(row) / hidden);
        else if (row + 1 > firstShown + visibleRows_)
            setScrollPosition(double(row + 1 - visibleRows_) / hidden);
    }
    invalid();
}

int32_t QorPresetCustomMenu::cellAt(const QorPoint& where) const
{
    if (!rect_.contains(where) || (scrollBar_ && where.x >= trackRect().left))
        return -1;
    for (int32_t i = 0; i < count_; ++i)
    {
        const QorRect r = shownCellRect(i);
        if (where.x >= r.left && where.x < r.right && where.y >= r.top && where.y < r.bottom)
            return cells_[static_cast<size_t>(i)].value >= 0 ? i : -1;
    }
    return -1;
}

void QorPresetCustomMenu::draw(QorDrawContext& context)
{
    context.pushClip(rect_);
    context.setFont(QorSharedFonts::arial(12));
    const double areaRight = scrollBar_ ? trackRect().left - kScrollBarGap : rect_.right;
    for (int32_t i = 0; i < count_; ++i)
    {
        QorRect r = shownCellRect(i);
        if (r.bottom < rect_.top || r.top > rect_.bottom)
            continue;
        r.right = std::min(r.right, areaRight);
        const QorRect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        if (i == selected_)
        {
            context.setFillColor(highlight_);
            context.drawRoundRect(inner, 3.0, QorDrawContext::kFilled);
        }
        else if (i == hovered_)
        {
            context.setFillColor(PresetBarColours::kCellHover);
            context.drawRoundRect(inner, 3.0, QorDrawContext::kFilled);
        }
        context.setFontColor(i == selected_ ? PresetBarColours::kTextBright : PresetBarColours::kCellText);
        const std::string text = PresetBarTextFit::fitText(labels_[static_cast<size_t>(i)], r.width() - 2 * kTextInset);
        context.drawString(text.c_str(), {r.left + kTextInset, r.top, r.right - kTextInset, r.bottom},
                           QorDrawContext::kAlignLeft, true);
    }
    if (scrollBar_)
    {
        const QorRect track = trackRect();
        context.setFillColor(PresetBarColours::kTrack);
        context.drawRoundRect({track.left + 3, track.top + 2, track.right - 3, track.bottom - 2}, 5.0,
                              QorDrawContext::kFilled);
        const QorRect thumb = thumbRect();
        context.setFillColor(dragging_ ? PresetBarColours::kThumbActive : PresetBarColours::kThumb);
        context.drawRoundRect({thumb.left + 3, thumb.top + 2, thumb.right - 3, thumb.bottom - 2}, 5.0,
                              QorDrawContext::kFilled);
    }
    context.popClip();
}

int32_t QorPresetCustomMenu::onMouseDown(const QorPoint& where, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (scrollBar_ && where.x >= trackRect().left)
    {
        const QorRect track = trackRect();
        const QorRect thumb = thumbRect();
        if (flags & kQorControl)
        {
            const double travel = track.height() - thumb.height();
            setScrollPosition(travel > 0.0 ? (where.y - (track.top + thumb.height() / 2)) / travel : 0.0);
            grab_ = thumb.height() / 2;
        }
        else
            grab_ = where.y - thumb.top;
        dragging_ = true;
        invalid();
        return kQorMouseHandled;
    }
    const int32_t hit = cellAt(where);
    if (hit < 0)
        return kQorMouseHandled;
    selected_ = hit;
    value_ = double(hit) / kMaxShown;
    cellPressed(flags);
    invalid();
    valueChanged();
    return kQorMouseHandled;
}

int32_t QorPresetCustomMenu::onMouseMoved(const QorPoint& where, uint32_t flags)
{
    if (dragging_)
    {
        if (!(flags & kQorLButton))
        {
            dragging_ = false;
            invalid();
            return kQorMouseHandled;
        }
        const QorRect track = trackRect();
        const double travel = track.height() - thumbRect().height();
        setScrollPosition(travel > 0.0 ? (where.y - grab_ - track.top) / travel : 0.0);
        return kQorMouseHandled;
    }
    const int32_t hit = cellAt(where);
    if (hit != hovered_)
    {
        hovered_ = hit;
        invalid();
    }
    return kQorMouseHandled;
}

int32_t QorPresetCustomMenu::onMouseUp(const QorPoint&, uint32_t)
{
    if (dragging_)
    {
        dragging_ = false;
        invalid();
    }
    return kQorMouseHandled;
}

void QorPresetCustomMenu::onMouseExited()
{
    hovered_ = -1;
    QorCustomControl::onMouseExited();
}

// One row per notch. The rows move under a pointer that stays: the hover follows to the row
// now under it.
bool QorPresetCustomMenu::onWheel(const QorPoint& where, float distance, uint32_t)
{
    if (!scrollBar_)
        return true;
    const double notch = distance > 0.1f ? 1.0 : distance < -0.1f ? -1.0 : distance;
    setScrollPosition(position_ - notch / (rowsPerColumn_ - visibleRows_));
    const int32_t hit = cellAt(where);
    if (hit != hovered_)
    {
        hovered_ = hit;
        invalid();
    }
    return true;
}
