#pragma once

#include "QORLIB/gui/toolkit/FrameOverlay.h"

#include <string>

namespace qortk
{
class Frame;
}

namespace Qorwerk
{

// A small label that shows a control's value as the host displays write it ("4:1", "4.50 dB")
// while the control is dragged, wheeled or rested on. It sits centred just above the control
// (below it when the hint bubble would meet it there), stays inside the window, and repaints
// only its own rectangle, and only when its text or place changes.
class QorValueReadout : public qortk::FrameOverlay
{
public:
    static constexpr double kGap = 3.0;      // between the control and the label, points
    static constexpr double kPaddingX = 5.0;
    static constexpr double kHeight = 16.0;

    QorValueReadout() = default;
    ~QorValueReadout() override;
    QorValueReadout(const QorValueReadout&) = delete;
    QorValueReadout& operator=(const QorValueReadout&) = delete;

    void attach(qortk::Frame* frame);
    void detach();

    // control: the control's rectangle in frame points; avoid: what must stay uncovered (the
    // hint bubble), may be empty.
    void show(const qortk::Rect& control, const std::string& text, const qortk::Rect& avoid);
    void hide();
    bool isShown() const { return shown_; }
    const std::string& text() const { return text_; }
    const qortk::Rect& rect() const { return rect_; }

    void drawOverlay(qortk::DrawContext& context, const qortk::Rect& bounds) override;

private:
    qortk::Rect place(const qortk::Rect& control, double width, const qortk::Rect& avoid) const;
    void invalidate() const;

    qortk::Frame* frame_ = nullptr;
    std::string text_;
    qortk::Rect rect_;
    bool shown_ = false;
};

} // namespace Qorwerk
