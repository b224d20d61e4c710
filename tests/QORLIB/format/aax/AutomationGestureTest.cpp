// What the host's automation sees of the user's hands: one press-drag-release is one touch, the
// sets in between and one release; a wheel notch, a reset and a preset load are one gesture per
// parameter; the host's own echoes never come back to it as sets; stepped values arrive on their
// steps. The simulator delivers its echoes between the user's events, as a host does.
#include "QORLIB/gui/QorAnimKnob.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tests/QORLIB/format/aax/EditorGlueFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using namespace aaxtest;

namespace
{
// Frame points (the preset bar's 52-point strip above the product area, zoom 1).
constexpr qortk::Point kTimeKnob{85, 252};
constexpr qortk::Point kAttackTrim{46, 182};
constexpr qortk::Point kValveTrim{282, 150};
constexpr const char* kAttackRatio = "3: AttackRatio";
constexpr const char* kValveLevel = "7: ValveLevel";

class Gestures : public EditorGlue
{
protected:
    void SetUp() override
    {
        EditorGlue::SetUp();
        show();
        editor().setKeyboardReader([] { return 0u; });
        instance->idle();
        instance->controller().log.clear();
    }
    qortk::Frame& frame() { return *editor().frame(); }
    // The automation requests of one parameter, as "t", "s" and "r" in their order.
    std::string requests(const std::string& id) const
    {
        std::string out;
        for (const auto& e : instance->controller().log)
            if (e.id == id)
                out += e.kind == AaxAutomationEvent::kTouch     ? "t"
                       : e.kind == AaxAutomationEvent::kSet     ? "s"
                       : e.kind == AaxAutomationEvent::kRelease ? "r"
                                                                : "";
        return out;
    }
    std::vector<double> sets(const std::string& id) const
    {
        std::vector<double> out;
        for (const auto& e : eventsOf(*instance, AaxAutomationEvent::kSet))
            if (e.id == id) out.push_back(e.value);
        return out;
    }
};
} // namespace

TEST_F(Gestures, ATwentyStepDragIsOneTouchTwentySetsAndOneRelease)
{
    frame().mouseDown(kTimeKnob, qortk::kLButton);
    instance->idle();
    for (int i = 1; i <= 20; ++i)
    {
        frame().mouseMoved({kTimeKnob.x + 3.0 * i, kTimeKnob.y}, qortk::kLButton);
        instance->idle(); // the host echoes each value while the control is touched
    }
    frame().mouseUp({kTimeKnob.x + 60.0, kTimeKnob.y}, qortk::kLButton);
    instance->idle();

    EXPECT_EQ(requests(kTime), "t" + std::string(20, 's') + "r");
    // 3 pixels of a 300-pixel sweep each: 0.51 .. 0.70.
    const std::vector<double> values = sets(kTime);
    ASSERT_EQ(values.size(), 20u);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(values[i], 0.5 + 0.01 * double(i + 1), 1e-9) << "step " << i;
    EXPECT_NEAR(instance->parameterValue(kTime), 0.70, 1e-6);
    // The echoes reached the controller side as the user's edits: one undo step, the new value.
    QorPresetManager& presets = *bridge->getPresetManager();
    EXPECT_NEAR(presets.current().values[4], 0.70, 1e-6);
    EXPECT_TRUE(presets.canUndo());
    presets.undo();
    instance->idle();
    EXPECT_NEAR(instance->parameterValue(kTime), 0.5, 1e-6) << "the whole drag was one step";
}

TEST_F(Gestures, APressThatDoesNotMoveTouchesAndReleasesWithoutASet)
{
    frame().mouseDown(kTimeKnob, qortk::kLButton);
    instance->idle();
    frame().mouseUp(kTimeKnob, qortk::kLButton);
    instance->idle();
    EXPECT_EQ(requests(kTime), "tr");
}

TEST_F(Gestures, AWheelNotchAndAResetAreOneGestureEach)
{
    frame().wheel(kTimeKnob, 1.0f, 0);
    instance->idle();
    EXPECT_EQ(requests(kTime), "tsr");
    EXPECT_NEAR(instance->parameterValue(kTime), 0.6, 1e-6);

    instance->controller().log.clear();
    frame().mouseDown(kTimeKnob, qortk::kLButton | qortk::kControl);
    instance->idle();
    frame().mouseUp(kTimeKnob, qortk::kLButton);
    instance->idle();
    EXPECT_EQ(requests(kTime), "tsr");
    EXPECT_NEAR(instance->parameterValue(kTime), 0.5, 1e-6);
}

TEST_F(Gestures, HostEchoesAndHostAutomationAreNeverSentBack)
{
    // The host plays a touched automation pass and an untouched one; the module only listens.
    ASSERT_EQ(instance->hostEdit(kTime, 0.3, true), AAX_SUCCESS);
    ASSERT_EQ(instance->hostEdit(kRatio, 0.5, false), AAX_SUCCESS);
    instance->idle();
    EXPECT_TRUE(eventsOf(*instance, AaxAutomationEvent::kSet).empty());
    EXPECT_TRUE(eventsOf(*instance, AaxAutomationEvent::kTouch).empty());
    EXPECT_NEAR(panel().getKnob(4)->getValue(), 0.3, 1e-6) << "the editor shows it";
    EXPECT_NEAR(bridge->getPresetManager()->current().values[4], 0.3, 1e-6) << "a touched change is an edit";
    EXPECT_NEAR(bridge->currentValues[4], 0.3, 1e-6);
}

TEST_F(Gestures, APresetLoadTouchesSetsAndReleasesEachParameterOnceInOneBracket)
{
    std::vector<int32_t> notes;
    struct Link : Qor_AAX_EditorLink
    {
        std::vector<int32_t>* notes;
        void forwardParameter(int32_t index, double) override { notes->push_back(index); }
        void* getFrame() override { return nullptr; }
    } link;
    link.notes = &notes;
    bridge->editor = &link;
    QorPresetManager& presets = *bridge->getPresetManager();
    presets.selectPreset(11); // "Hats Smasher": Ratio 1, Time 0, Compression 0.775, Output 0.425
    instance->idle();
    instance->idle();
    for (const char* id : {kProcess, kRatio, kAttackRatio, kTime, "5: Compression", "6: Output", kValveLevel})
        EXPECT_EQ(requests(id), "tsr") << id;
    EXPECT_EQ(notes, (std::vector<int32_t>{70, 71})) << "one bracket";
    EXPECT_NEAR(instance->parameterValue(kTime), 0.0, 1e-6);
    EXPECT_FALSE(presets.modified()) << "the echoes of a load are no edit";
    bridge->editor = nullptr;
}

TEST_F(Gestures, ClosingTheEditorMidDragReleasesTheParameter)
{
    frame().mouseDown(kTimeKnob, qortk::kLButton);
    frame().mouseMoved({kTimeKnob.x + 30.0, kTimeKnob.y}, qortk::kLButton);
    instance->idle();
    ASSERT_EQ(instance->setViewContainer(nullptr), AAX_SUCCESS);
    instance->idle();
    EXPECT_EQ(requests(kTime), "tsr");
}

TEST_F(Gestures, SevenWheelNotchesUpOnATrimVisitItsSevenStepsOneNotchOneStep)
{
    for (const auto& [where, id, tag] :
         {std::tuple{kAttackTrim, kAttackRatio, 3}, std::tuple{kValveTrim, kValveLevel, 7}})
    {
        ASSERT_EQ(instance->hostEdit(id, 0.0, false), AAX_SUCCESS);
        ASSERT_DOUBLE_EQ(panel().getKnob(tag)->getValue(), 0.0);
        instance->controller().log.clear();
        std::vector<int> steps;
        for (int notch = 0; notch < 7; ++notch)
        {
            frame().wheel(where, 1.0f, 0);
            instance->idle();
            steps.push_back(int(std::lround(instance->parameterValue(id) * 6.0)));
        }
        EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 6})) << id;
        // Every value the host got is a step itself, not a value that rounds to one.
        for (double v : sets(id))
            EXPECT_NEAR(v * 6.0, std::round(v * 6.0), 1e-6) << id << " " << v;
        EXPECT_EQ(sets(id).size(), 6u) << "the notch at the top end has nothing to set";
    }
}

TEST_F(Gestures, ADragOfTheRatioKnobSendsOnlyItsSteps)
{
    constexpr qortk::Point ratio{85, 137};
    frame().mouseDown(ratio, qortk::kLButton);
    for (int i = 1; i <= 20; ++i)
    {
        frame().mouseMoved({ratio.x + 2.0 * i, ratio.y}, qortk::kLButton);
        instance->idle();
    }
    frame().mouseUp({ratio.x + 40.0, ratio.y}, qortk::kLButton);
    instance->idle();
    // 40 pixels of a 150-pixel sweep from 0.5: 0.7667, step 5 - every set a new step on the way.
    EXPECT_EQ(sets(kRatio), (std::vector<double>{4.0 / 6.0, 5.0 / 6.0}));
    EXPECT_EQ(requests(kRatio), "tssr");
}
