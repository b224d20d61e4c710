#pragma once

#include "QORLIB/gui/QorBaseControl.h"

// A rotary control drawn from a filmstrip of frames laid out column by column in a grid. It is
// dragged linearly (right or up raises it; Shift for the fine range) or, in the circular knob
// mode, follows the pointer's angle over a 270° sweep. Control, Alt or a double-click resets it.
class QorAnimKnob : public QorBaseControl
{
public:
    static constexpr double kDefaultPixelRange = 300.0;
    static constexpr double kDefaultFinePixelRange = 1500.0;

    QorAnimKnob(const QorRect& rect, int32_t tag, QorBitmap* bitmap);

    // The process-wide knob mode: 0 linear dragging (at load), any other value circular.
    static uint32_t knobMode();
    static void setKnobMode(uint32_t mode);

    // Frames in a grid of the given number of columns; rows and frame size follow from the bitmap.
    void setFrames(int32_t frameCount, int32_t columns);
    void setRange(double minimum, double maximum);
    void setPixelRanges(double normal, double fine);
    void setWheelStep(double step, double fineFactor);

    int32_t getFrameCount() const { return frameCount_; }
    int32_t getRows() const { return rows_; }
    int32_t getFrameWidth() const { return frameWidth_; }
    int32_t getFrameHeight() const { return frameHeight_; }
    // The frame shown at the current value and its offset inside the bitmap.
    int32_t currentFrame() const;
    QorPoint frameOffset(int32_t frame) const;

    // The value that a point (relative to a w × h control) stands for in the circular mode.
    static double angleValue(double x, double y, double w, double h);

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseMoved(const QorPoint& where, uint32_t flags) override;
    int32_t onMouseUp(const QorPoint& where, uint32_t flags) override;
    bool onWheel(const QorPoint& where, float distance, uint32_t flags) override;

private:
    double pointAngle(const QorPoint& where) const;

    int32_t frameCount_ = 1;
    int32_t rows_ = 1;
    int32_t frameHeight_ = 0;
    int32_t frameWidth_ = 0;
    double maximum_ = 1.0;
    double minimum_ = 0.0;
    double dragStartValue_ = 0.0;
    uint32_t dragFlags_ = 0;
    QorPoint anchor_;
    double pixelRangeInUse_ = kDefaultPixelRange;
    double lastAngleValue_ = 0.0;
    double valuePerPixel_ = 1.0 / kDefaultPixelRange;
    double halfRange_ = 0.5;
    double wheelStep_ = 0.1;
    double wheelFineFactor_ = 1.0;
    double pixelRange_ = kDefaultPixelRange;
    double finePixelRange_ = kDefaultFinePixelRange;
};
