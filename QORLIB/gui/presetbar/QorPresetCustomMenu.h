#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <array>
#include <string>

// A list of labelled cells laid out down a cell column, then in the next one to the right,
// with a scroll bar when the rows do not fit. Each cell stores the number of what it shows
// (a column number or an entry index; -1 for an empty cell). A press on a cell selects it and
// reports; the subclass says what the cells are.
class QorPresetCustomMenu : public QorCustomControl
{
public:
    static constexpr int32_t kMaxCells = 512;
    static constexpr int32_t kMaxShown = 511;
    static constexpr double kCellWidth = 200.0;
    static constexpr double kCellHeight = 20.0;
    static constexpr double kScrollBarWidth = 16.0;
    static constexpr double kScrollBarGap = 3.0;
    static constexpr double kTextInset = 6.0;

    struct Cell
    {
        QorRect rect; // at scroll position 0
        int32_t value = -1;
    };

    QorPresetCustomMenu(const QorRect& rect, int32_t tag);

    // Factory kinds and the User kind have their own selection colour.
    void setUserColours(bool user);
    const QorColour& highlightColour() const { return highlight_; }

    // Takes the items from the subclass again and lays the cells out.
    void rebuild();
    // Selects the cell that stores value (none when no cell does) and scrolls it into view.
    void select(int32_t value);
    int32_t selectedCell() const { return selected_; }
    // The stored value of the selected cell, or -1.
    int32_t selectedValue() const;

    int32_t cellCount() const { return count_; }
    int32_t hoveredCell() const { return hovered_; }
    const Cell& cell(int32_t i) const { return cells_[static_cast<size_t>(i)]; }
    const std::string& cellLabel(int32_t i) const { return labels_[static_cast<size_t>(i)]; }
    // Where a cell is drawn now (scrolled), in the list's coordinates.
    QorRect shownCellRect(int32_t i) const;
    int32_t cellColumns() const { return columns_; }
    int32_t visibleRows() const { return visibleRows_; }
    int32_t rowsPerColumn() const { return rowsPerColumn_; }
    bool hasScrollBar() const { return scrollBar_; }
    QorRect trackRect() const;
    QorRect thumbRect() const;
    double scrollPosition() const { return position_; }
    void setScrollPosition(double position);

    void setViewSize(const QorRect& rect) override;
    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;
    void onMouseExited() override;
    bool onWheel(const QorPoint& where, float distance, uint32_t flags) override;

protected:
    virtual int32_t itemCount() const = 0;
    virtual std::string itemLabel(int32_t item) const = 0;
    // A cell was pressed, before the report.
    virtual void cellPressed(uint32_t) {}

private:
    void layoutCells();
    void geometry(double areaWidth);
    int32_t cellAt(const QorPoint& where) const;
    double cellOffset() const;

    std::array<Cell, kMaxCells> cells_{};
    std::array<std::string, kMaxCells> labels_{};
    int32_t count_ = 0;
    double cellWidth_ = kCellWidth;
    int32_t columns_ = 1;
    int32_t visibleRows_ = 1;
    int32_t rowsPerColumn_ = 1;
    bool scrollBar_ = false;
    double position_ = 0.0;
    int32_t selected_ = -1;
    int32_t hovered_ = -1;
    bool dragging_ = false;
    double grab_ = 0.0; // pointer distance below the thumb's top while dragging
    QorColour highlight_;
};
