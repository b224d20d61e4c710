#pragma once

#include "QORLIB/gui/QorBaseControl.h"

// A switch of a few positions side by side: the control is cut into equal vertical strips, the
// leftmost giving 0 and the rightmost 1. Its bitmap holds one frame per position, stacked
// vertically, each as tall as the control.
class QorHorizontalSwitch : public QorBaseControl
{
public:
    QorHorizontalSwitch(const QorRect& rect, int32_t tag, QorBitmap* bitmap, int32_t positions);

    int32_t getPositions() const { return positions_; }
    int32_t currentPosition() const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;
    bool onWheel(const QorPoint& where, float distance, uint32_t flags) override;

private:
    int32_t positions_;
    double segmentWidth_ = 0.0;
};
