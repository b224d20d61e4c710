#pragma once

#include "QORLIB/gui/QorVSTGUIEditorWrapperV1.h"
#include "QORLIB/gui/toolkit/Point.h"

namespace qortk
{
class View;
}

namespace Qorwerk
{

// The engine with the preset-bar strip above the product area, the user's zoom, and the shared
// idle: every tick follows the pointer, shows a control's hint after the pointer has rested on
// it, refreshes the product editor and redraws everything now and then.
class QorVSTGUIEditorWrapperV2 : public QorVSTGUIEditorWrapperV1
{
public:
    static constexpr double kStripHeight = 52.0;
    static constexpr int kHintTicks = 47;       // about 1.55 s of 33 ms ticks
    static constexpr int kRedrawCountdown = 100; // a full redraw every 101 ticks
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

protected:
    double stripHeight() const override { return kStripHeight; }
    void frameOpened() override;
    void frameClosing() override;

private:
    void hideHint();
    double zoom_ = 1.0;
    bool hintsEnabled_ = true;
    bool hintShown_ = false;
    int restTicks_ = 0;
    int redrawCountdown_ = kRedrawCountdown;
    qortk::Point lastPointer_;
    const qortk::View* lastView_ = nullptr;
    uint32_t buttons_ = 0;
};

} // namespace Qorwerk
