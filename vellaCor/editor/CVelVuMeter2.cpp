#include "vellaCor/editor/CVelVuMeter2.h"

#include "QORLIB/gui/QorBitmap.h"
#include "QORLIB/gui/QorDrawContext.h"
#include "vellaCor/vellaCorParameters.h"

#include <cmath>
#include <numbers>

CVelVuMeter2::CVelVuMeter2(const QorRect& rect, int32_t tag, QorBitmap* litFace, QorBitmap* unlitFace,
                           const QorPoint& pivot, double innerRadius, double outerRadius)
    : QorCustomControl(rect, tag, litFace), litFace_(litFace), unlitFace_(unlitFace), innerRadius_(innerRadius),
      outerRadius_(outerRadius), pivot_(pivot)
{
    using vellaCorParameters::truncToInt;
    const double left = truncToInt(rect.left);
    const double top = truncToInt(rect.top);
    faceRect_ = {left, top, left + (litFace ? litFace->getWidth() : 0.0), top + (litFace ? litFace->getHeight() : 0.0)};
    value_ = 0.0;
    defaultValue_ = 0.0;
}

void CVelVuMeter2::needle(double value, QorPoint& start, QorPoint& end) const
{
    constexpr double pi = std::numbers::pi;
    const double theta = 2.0 * pi / 3.0 - value * pi / 3.0;
    const double c = -std::cos(theta);
    const double s = std::sin(theta);
    // Half a point to the pivot, so a 2-point line sits on whole pixels at zoom 1.
    const QorPoint p{pivot_.x + 0.5, pivot_.y + 0.5};
    start = {p.x - innerRadius_ * c, p.y - innerRadius_ * s};
    end = {p.x - outerRadius_ * c, p.y - outerRadius_ * s};
}

void CVelVuMeter2::draw(QorDrawContext& context)
{
    context.setLineWidth(kLineWidth);
    QorPoint start, end;
    needle(value_, start, end);
    if (QorBitmap* face = lit_ ? litFace_ : unlitFace_)
        context.drawBitmap(face, faceRect_, {0.0, 0.0}, 1.0f);
    context.setFrameColor(lit_ ? kLitNeedle : kUnlitNeedle);
    context.drawLine(start, end);
}
