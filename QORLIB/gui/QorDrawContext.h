#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

class QorBitmap;
class QorFont;

// The drawing calls a control makes in its draw (points, the control's container coordinates).
class QorDrawContext
{
public:
    enum DrawStyle
    {
        kStroked = 0,
        kFilled = 1,
        kFilledAndStroked = 2,
    };
    // Text alignment codes: 0 left, 1 centre, 2 right; any other code centres.
    enum Align
    {
        kAlignLeft = 0,
        kAlignCentre = 1,
        kAlignRight = 2,
    };

    virtual ~QorDrawContext() = default;
    virtual void setFrameColor(const QorColour& c) = 0;
    virtual void setFillColor(const QorColour& c) = 0;
    virtual void setFontColor(const QorColour& c) = 0;
    virtual void setFont(const QorFont* font) = 0;
    virtual void setLineWidth(double width) = 0;
    virtual void setDrawAntialias(bool on) = 0;
    virtual void drawLine(const QorPoint& from, const QorPoint& to) = 0;
    virtual void drawRect(const QorRect& r, int32_t style) = 0;
    virtual void drawRoundRect(const QorRect& r, double radius, int32_t style) = 0;
    virtual void drawEllipse(const QorRect& r, int32_t style) = 0;
    virtual void drawPolygon(const QorPoint* points, int32_t count, int32_t style) = 0;
    // The part of the bitmap from offset onwards, into dest.
    virtual void drawBitmap(QorBitmap* bitmap, const QorRect& dest, const QorPoint& offset, float alpha) = 0;
    virtual void drawString(const char* text, const QorRect& r, int32_t align, bool antialias) = 0;
    virtual double getStringWidth(const char* text) = 0;
    virtual void pushClip(const QorRect& r) = 0;
    virtual void popClip() = 0;
};
