// The frame's zoom rules and the editor's sizes at a zoom.
#include "QORLIB/gui/CQorViewContainerWrapper.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/ViewContainer.h"
#include "tests/QORLIB/gui/TestEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Engine = Qorwerk::QorVSTGUIEditorWrapperV2;
using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;

namespace
{
auto makeTestEditor = [](QorMasterGraphicalEngine* e) { return std::make_unique<TestEditor>(e); };
}

TEST(FrameZoom, RequestsAreBroughtIntoSeventyToFourHundredPercent)
{
    Qorwerk::QorFrame frame(qortk::Rect{0, 0, 400, 327});
    EXPECT_DOUBLE_EQ(frame.getZoom(), 1.0);
    struct Case
    {
        double request, zoom;
        int width, height;
    };
    for (const Case& c : {Case{0.005, 1.0, 400, 327}, Case{0.5, 0.7, 280, 228}, Case{5.0, 4.0, 1600, 1308},
                          Case{1.5, 1.5, 600, 490}, Case{-3.0, 1.0, 400, 327}, Case{0.01, 1.0, 400, 327},
                          Case{0.011, 0.7, 280, 228}})
    {
        EXPECT_TRUE(frame.setZoom(c.request)) << c.request;
        EXPECT_DOUBLE_EQ(frame.getZoom(), c.zoom) << c.request;
        EXPECT_EQ(frame.deviceWidth(), c.width) << c.request;
        EXPECT_EQ(frame.deviceHeight(), c.height) << c.request;
    }
}

TEST(FrameZoom, ZeroAndNaNAreRefusedAndChangeNothing)
{
    Qorwerk::QorFrame frame(qortk::Rect{0, 0, 400, 327});
    EXPECT_FALSE(frame.setZoom(0.0));
    EXPECT_DOUBLE_EQ(frame.getZoom(), 1.0);
    ASSERT_TRUE(frame.setZoom(2.0));
    // The zoom that reads back must be the one the frame is drawn at.
    EXPECT_FALSE(frame.setZoom(0.0));
    EXPECT_FALSE(frame.setZoom(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_DOUBLE_EQ(frame.getZoom(), 2.0);
    EXPECT_DOUBLE_EQ(frame.zoom(), 2.0);
    EXPECT_EQ(frame.deviceWidth(), 800);
    EXPECT_TRUE(frame.setZoom(std::numeric_limits<double>::infinity()));
    EXPECT_DOUBLE_EQ(frame.getZoom(), 4.0);
}

TEST(EngineSize, OpensAsFourHundredByThreeHundredTwentySevenWithTheProductBelowTheStrip)
{
    Engine engine(makeTestEditor);
    const QorRect r = engine.getEditorRect();
    EXPECT_DOUBLE_EQ(r.width(), 400);
    EXPECT_DOUBLE_EQ(r.height(), 327);
    ASSERT_TRUE(engine.open(Platform::kOffscreen));
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 400);
    EXPECT_EQ(engine.getFrame()->deviceHeight(), 327);
    EXPECT_EQ(engine.getProductArea()->viewSize(), (qortk::Rect{0, 52, 400, 327}));
    EXPECT_EQ(static_cast<TestEditor*>(engine.getEditor())->log.front(), "open");
}

TEST(EngineSize, AResizeAtOneAndAHalfGivesSixHundredByFourHundredNinety)
{
    Engine engine(makeTestEditor);
    ASSERT_TRUE(engine.open(Platform::kOffscreen));
    ASSERT_TRUE(engine.setZoom(1.5));
    engine.resize(420, 415);
    engine.resize(400, 275);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 600);
    EXPECT_EQ(engine.getFrame()->deviceHeight(), 490); // trunc(1.5 × 327)
    EXPECT_EQ(engine.getProductArea()->viewSize(), (qortk::Rect{0, 52, 400, 327}));
    QorPoint scaled;
    engine.getScaledSize(scaled);
    EXPECT_DOUBLE_EQ(scaled.x, 600.0);
    EXPECT_DOUBLE_EQ(scaled.y, 490.5);
    // The enlarged editor of an open preset menu.
    engine.resize(420, 415);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 630);
    EXPECT_EQ(engine.getFrame()->deviceHeight(), 700);
    EXPECT_EQ(engine.getProductArea()->viewSize(), (qortk::Rect{0, 52, 420, 467}));
}

TEST(EngineSize, InsideABatchOnlyTheLastPositiveRequestCounts)
{
    Engine engine(makeTestEditor);
    ASSERT_TRUE(engine.open(Platform::kOffscreen));
    engine.setResizeBatch(true);
    engine.resize(420, 415);
    engine.resize(500, 300);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 400) << "nothing happens inside the batch";
    engine.setResizeBatch(false);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 500);
    EXPECT_EQ(engine.getFrame()->deviceHeight(), 352);

    engine.setResizeBatch(true);
    engine.resize(420, 0);
    engine.setResizeBatch(false);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 500) << "a size without height is not applied";
    engine.resize(-5, 100);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 500);
    engine.setResizeBatch(true);
    engine.setResizeBatch(false);
    EXPECT_EQ(engine.getFrame()->deviceWidth(), 500) << "an empty batch changes nothing";
}

TEST(EngineSize, ContainerOperationsWaitForAFrame)
{
    Engine engine(makeTestEditor);
    QorViewContainer* c = engine.createViewContainer({0, 0, 400, 275});
    engine.addContainer(c);
    EXPECT_FALSE(engine.isContainerAttached(c));
    uint32_t flags = 99;
    engine.getButtonState(flags);
    EXPECT_EQ(flags, 0u);
    ASSERT_TRUE(engine.open(Platform::kOffscreen));
    auto* editor = static_cast<TestEditor*>(engine.getEditor());
    QorViewContainer* about = engine.createViewContainer({0, 0, 400, 275});
    EXPECT_FALSE(engine.isContainerAttached(about));
    engine.addContainer(about);
    EXPECT_TRUE(engine.isContainerAttached(about));
    auto viewOf = [](QorViewContainer* v) { return dynamic_cast<Qorwerk::CQorViewContainerWrapper*>(v)->view().get(); };
    EXPECT_EQ(engine.getProductArea()->children().back().get(), viewOf(about));
    // Shown again brings a container back on top.
    engine.addContainer(editor->container);
    EXPECT_TRUE(engine.isContainerAttached(editor->container));
    EXPECT_EQ(engine.getProductArea()->children().size(), 2u);
    EXPECT_EQ(engine.getProductArea()->children().back().get(), viewOf(editor->container));
    engine.removeContainer(about);
    EXPECT_FALSE(engine.isContainerAttached(about));
    engine.close();
    EXPECT_FALSE(engine.isContainerAttached(about));
    EXPECT_EQ(editor->log.back(), "close");
}
