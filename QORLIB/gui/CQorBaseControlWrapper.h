#pragma once

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorEngineView.h"
#include "QORLIB/gui/toolkit/Control.h"

#include <memory>

class QorBaseControl;
class QorMasterGraphicalEngine;

namespace Qorwerk
{

// The toolkit view of one framework control: it forwards events to the control, lends it the
// drawing calls while it draws, shows its hint as a tooltip and reports its edits to the
// engine. Owns the control.
class CQorBaseControlWrapper : public qortk::Control, public QorDrawContext, public QorEngineView
{
public:
    CQorBaseControlWrapper(std::unique_ptr<QorBaseControl> control, QorMasterGraphicalEngine* engine,
                           qortk::ControlListener* listener);
    ~CQorBaseControlWrapper() override;

    QorBaseControl* control() const { return control_.get(); }
    // Flags as controls see them: bit 0 and every bit above the double-click bit cleared.
    static uint32_t controlFlags(uint32_t buttons) { return buttons & 0x7feu; }

    // Toolkit side.
    void draw(qortk::DrawContext& context) override;
    qortk::MouseResult onMouseDown(qortk::Point where, uint32_t buttons) override;
    qortk::MouseResult onMouseMoved(qortk::Point where, uint32_t buttons) override;
    qortk::MouseResult onMouseUp(qortk::Point where, uint32_t buttons) override;
    void onMouseEntered(qortk::Point where, uint32_t buttons) override;
    void onMouseExited(qortk::Point where, uint32_t buttons) override;
    bool onWheel(qortk::Point where, float distance, uint32_t buttons) override;

    // QorDrawContext: only while the control draws; ignored otherwise.
    void setFrameColor(const QorColour& c) override;
    void setFillColor(const QorColour& c) override;
    void setFontColor(const QorColour& c) override;
    void setFont(const QorFont* font) override;
    void setLineWidth(double width) override;
    void setDrawAntialias(bool on) override;
    void drawLine(const QorPoint& from, const QorPoint& to) override;
    void drawRect(const QorRect& r, int32_t style) override;
    void drawRoundRect(const QorRect& r, double radius, int32_t style) override;
    void drawEllipse(const QorRect& r, int32_t style) override;
    void drawPolygon(const QorPoint* points, int32_t count, int32_t style) override;
    void drawBitmap(QorBitmap* bitmap, const QorRect& dest, const QorPoint& offset, float alpha) override;
    void drawString(const char* text, const QorRect& r, int32_t align, bool antialias) override;
    double getStringWidth(const char* text) override;
    void pushClip(const QorRect& r) override;
    void popClip() override;

    // QorEngineView.
    void invalidate() override { invalid(); }
    void takeValue(double value) override;
    void reportEdit(double value) override;
    void reportBeginEdit() override { beginEdit(); }
    void reportEndEdit() override { endEdit(); }
    void setHint(const char* text) override;
    void takeViewSize(const QorRect& r) override;
    void takeMouseableArea(const QorRect& r) override;
    void takeBitmap(QorBitmap*) override { invalid(); }
    void takeTag(int32_t tag) override { setTag(tag); }

private:
    qortk::MouseResult toToolkit(int32_t result) const;
    std::unique_ptr<QorBaseControl> control_;
    QorMasterGraphicalEngine* engine_;
    qortk::DrawContext* context_ = nullptr;
    int clipDepth_ = 0;
};

} // namespace Qorwerk
