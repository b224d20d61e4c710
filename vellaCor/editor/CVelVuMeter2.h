#pragma once

#include "QORLIB/gui/QorCustomControl.h"

// The gain-reduction needle meter: a face bitmap (lit, or unlit while the compressor is off)
// and a needle line swinging 60° about a pivot below the window. Value 0 is no reduction (the
// 0 mark, upper left), 0.5 a reduction to half (straight up), 1 the right end. Takes no mouse
// input.
class CVelVuMeter2 : public QorCustomControl
{
public:
    static constexpr QorColour kLitNeedle{170, 165, 160, 255};
    static constexpr QorColour kUnlitNeedle{140, 135, 130, 255};
    static constexpr double kLineWidth = 2.0;

    CVelVuMeter2(const QorRect& rect, int32_t tag, QorBitmap* litFace, QorBitmap* unlitFace, const QorPoint& pivot,
                 double innerRadius, double outerRadius);

    void setLit(bool lit) { lit_ = lit ? 1 : 0; }
    bool isLit() const { return lit_ != 0; }
    const QorRect& getFaceRect() const { return faceRect_; }
    // Start and end of the needle at a value, in product coordinates.
    void needle(double value, QorPoint& start, QorPoint& end) const;

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint&, uint32_t) override { return kQorMouseNotHandled; }
    int32_t onMouseMoved(const QorPoint&, uint32_t) override { return kQorMouseNotHandled; }
    int32_t onMouseUp(const QorPoint&, uint32_t) override { return kQorMouseNotHandled; }
    bool onWheel(const QorPoint&, float, uint32_t) override { return true; }

private:
    int32_t lit_ = 1;
    QorBitmap* litFace_;
    QorBitmap* unlitFace_;
    double innerRadius_;
    double outerRadius_;
    QorRect faceRect_;
    QorPoint pivot_;
};
