#pragma once

#include "QORLIB/gui/QorVSTGUIEditorWrapperV1.h"
#include "QORLIB/gui/QorValueReadout.h"
#include "QORLIB/gui/toolkit/Point.h"
#include "QORLIB/gui/toolkit/Rect.h"

namespace qortk
{
class Control;
class View;
} // namespace qortk

namespace Qorwerk
{

// The engine with the preset-bar strip above the product area, the user's zoom, and the shared
// idle: every tick follows the pointer (as the last event left it), shows a control's hint
// after the pointer has rested on it and refreshes the product editor. A control's value is
// shown in a readout while it is dragged, wheeled or rested on. Nothing is repainted unless
// something changed.
class QorVSTGUIEditorWrapperV2 : public QorVSTGUIEditorWrapperV1
{
public:
    static constexpr double kStripHeight = 52.0;
    static constexpr int kHintTicks = 47;       // about 1.55 s of 33 ms ticks
    static constexpr int kReadoutTicks = 8;     // a rest of about 0.26 s shows the value
    static constexpr double kHintWidth = 25.0;
    static constexpr double kHintHeight = 15.0;

    explicit QorVSTGUIEditorWrapperV2(const EditorFactory& makeEditor);
    ~QorVSTGUIEditorWrapperV2() override;

    // Zooms the frame (rules of QorFrame) and resizes the editor to match.
    bool setZoom(double zoom);
    double getZoomFactor() override { return zoom_; }

    void setHintsEnabled(bool on);
    bool hintsEnabled() const { return hintsEnabled_; }

    void idle() override;
    void forwardParameter(int32_t index, double value) override;
    void valueChanged(qortk::Control* control) override;
    const QorValueReadout& readout() const { return readout_; }

protected:
    double stripHeight() const override { return kStripHeight; }
    void frameOpened() override;
    void frameClosing() override;

private:
    void hideHint();
    void showReadout(const qortk::View* view);
    void refreshReadout();
    void readoutIdle(const qortk::View* under, bool moved, bool held);
    double zoom_ = 1.0;
    bool hintsEnabled_ = true;
    bool hintShown_ = false;
    int restTicks_ = 0;
    qortk::Point lastPointer_;
    const qortk::View* lastView_ = nullptr;
    uint32_t buttons_ = 0;

    QorValueReadout readout_;
    const qortk::View* readoutView_ = nullptr; // only compared, never used: it may be gone
    qortk::Rect readoutControl_;               // its rectangle in the frame, points
    int32_t readoutTag_ = -1;
    const qortk::View* restView_ = nullptr;
    int readoutRest_ = 0;
};

} // namespace Qorwerk
