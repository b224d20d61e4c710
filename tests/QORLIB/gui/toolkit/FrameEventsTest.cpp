// How the frame turns device events into view events: zoom, nesting, capture, enter and
// exit, transparency, wheel.
#include "QORLIB/gui/toolkit/Frame.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "tests/QORLIB/gui/toolkit/RecordingView.h"

#include <gtest/gtest.h>

using qortk::Point;
using qortk::Rect;

namespace
{
struct Scene
{
    qortk::Frame frame{Rect{0, 0, 200, 100}};
    std::shared_ptr<qortk::ViewContainer> box = std::make_shared<qortk::ViewContainer>(Rect{50, 20, 150, 80});
    std::shared_ptr<RecordingView> inner = std::make_shared<RecordingView>(Rect{10, 10, 40, 30});
    Scene()
    {
        box->addView(inner);
        frame.addView(box);
        frame.setPlatform(std::make_unique<qortk::OffscreenBackend>(frame));
    }
};
} // namespace

TEST(FrameEvents, PointsArriveInTheParentsCoordinatesAtAnyZoom)
{
    Scene s;
    s.frame.setZoomTransform(2.0);
    EXPECT_EQ(s.frame.deviceWidth(), 400);
    EXPECT_EQ(s.frame.deviceHeight(), 200);
    // Device (130, 70) is frame (65, 35), container (15, 15): inside the inner view.
    s.frame.mouseDown({130, 70}, qortk::kLButton);
    ASSERT_EQ(s.inner->events.size(), 1u);
    EXPECT_EQ(s.inner->events[0].where, (Point{15, 15}));
    EXPECT_EQ(s.inner->events[0].buttons, uint32_t(qortk::kLButton));
    EXPECT_EQ(s.frame.currentMousePosition(), (Point{65, 35}));
}

TEST(FrameEvents, APressedViewKeepsTheMouseUntilRelease)
{
    Scene s;
    s.frame.mouseDown({65, 35}, qortk::kLButton);
    s.frame.mouseMoved({190, 95}, qortk::kLButton); // far outside the view and its container
    s.frame.mouseUp({190, 95}, 0);
    EXPECT_EQ(s.inner->names(), "down,moved,up");
    EXPECT_EQ(s.inner->events[1].where, (Point{140, 75}));
    s.frame.mouseMoved({1, 1}, 0);
    EXPECT_EQ(s.inner->events.size(), 3u) << "no capture after the release";
}

TEST(FrameEvents, FinalPressWantsNoMoveOrRelease)
{
    qortk::Frame frame(Rect{0, 0, 100, 100});
    auto view = std::make_shared<RecordingView>(Rect{0, 0, 50, 50}, qortk::kMouseHandledFinal);
    frame.addView(view);
    frame.mouseDown({10, 10}, qortk::kLButton);
    frame.mouseMoved({60, 60}, qortk::kLButton);
    frame.mouseUp({60, 60}, 0);
    EXPECT_EQ(view->names(), "down");
}

TEST(FrameEvents, EnterAndExitFollowTheInnermostView)
{
    Scene s;
    s.frame.mouseMoved({5, 5}, 0);
    s.frame.mouseMoved({65, 35}, 0);
    s.frame.mouseMoved({66, 36}, 0);
    s.frame.mouseMoved({120, 70}, 0); // in the container, beside the view
    EXPECT_EQ(s.inner->names(), "entered,moved,moved,exited");
    s.frame.mouseMoved({65, 35}, 0);
    s.frame.mouseLeftFrame();
    EXPECT_EQ(s.inner->events.back().what, "exited");
}

TEST(FrameEvents, OnlyMouseTransparentContainersLetPressesThrough)
{
    qortk::Frame frame(Rect{0, 0, 100, 100});
    auto below = std::make_shared<RecordingView>(Rect{0, 0, 100, 100});
    auto overlay = std::make_shared<qortk::ViewContainer>(Rect{0, 0, 100, 100});
    frame.addView(below);
    frame.addView(overlay);
    frame.mouseDown({50, 50}, qortk::kLButton);
    frame.mouseUp({50, 50}, 0);
    EXPECT_TRUE(below->events.empty()) << "an opaque overlay takes the press";
    overlay->setMouseTransparent(true);
    frame.mouseDown({50, 50}, qortk::kLButton);
    EXPECT_EQ(below->names(), "down");
    // A view that does not handle a press passes it on as well.
    auto ignoring = std::make_shared<RecordingView>(Rect{0, 0, 100, 100}, qortk::kMouseNotHandled);
    overlay->addView(ignoring);
    frame.mouseDown({50, 50}, qortk::kLButton);
    EXPECT_EQ(ignoring->names(), "down");
    EXPECT_EQ(below->names(), "down,down");
}

TEST(FrameEvents, WheelGoesToTheViewUnderThePointer)
{
    Scene s;
    EXPECT_FALSE(s.frame.wheel({5, 5}, 1.0f, 0));
    EXPECT_TRUE(s.frame.wheel({65, 35}, -1.0f, qortk::kShift));
    ASSERT_EQ(s.inner->events.size(), 1u);
    EXPECT_EQ(s.inner->events[0].buttons, uint32_t(qortk::kShift));
    EXPECT_EQ(s.inner->events[0].what.rfind("wheel -1", 0), 0u);
}

TEST(FrameEvents, RemovingAViewDuringADragEndsItsCapture)
{
    Scene s;
    s.frame.mouseDown({65, 35}, qortk::kLButton);
    s.box->removeView(s.inner.get());
    s.frame.mouseMoved({70, 40}, qortk::kLButton);
    s.frame.mouseUp({70, 40}, 0);
    EXPECT_EQ(s.inner->names(), "down");
    EXPECT_EQ(s.inner->parent(), nullptr);
}

TEST(FrameEvents, InvalidRectanglesAreKeptInWholeDevicePixels)
{
    Scene s;
    s.frame.setZoomTransform(1.5);
    s.frame.takeInvalidRegion();
    s.inner->invalid(); // frame (60, 30)-(90, 50) at zoom 1.5
    const auto region = s.frame.takeInvalidRegion();
    ASSERT_EQ(region.size(), 1u);
    EXPECT_EQ(region[0], (Rect{90, 45, 135, 75}));
    // Hidden views ask for nothing.
    s.box->setVisible(false);
    s.frame.takeInvalidRegion();
    s.inner->invalid();
    EXPECT_FALSE(s.frame.hasInvalidRegion());
}
