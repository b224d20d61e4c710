// A framework control inside its toolkit view: flags, the host's click, edits reaching the
// product editor, hints, drawing.
#include "QORLIB/gui/CQorBaseControlWrapper.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/PixelAccess.h"
#include "tests/QORLIB/gui/TestEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;

namespace
{
std::vector<std::string>* gCalls = nullptr;

// Reports its value on every press, paints a filled square, and logs what it sees.
class Probe : public QorBaseControl
{
public:
    Probe() : QorBaseControl({100, 100, 140, 140}, 5, nullptr, kCustomView) {}
    int32_t onMouseDown(const QorPoint& p, uint32_t flags) override
    {
        gCalls->push_back("down " + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)) + " " +
                          std::to_string(flags));
        beginEdit();
        value_ = 0.75;
        valueChanged();
        endEdit();
        return kQorMouseHandledFinal;
    }
    void draw(QorDrawContext& c) override
    {
        c.setFillColor({0, 200, 100, 255});
        c.drawRect(rect_, QorDrawContext::kFilled);
        c.drawBitmap(QorBitmapGlobals::get(QorBitmapGlobals::kMeterLit), {100, 100, 110, 110}, {0, 0}, 1.0f);
    }
};

class RecordingEngine : public Qorwerk::QorVSTGUIEditorWrapperV2
{
public:
    RecordingEngine() : QorVSTGUIEditorWrapperV2([](QorMasterGraphicalEngine* e) { return std::make_unique<TestEditor>(e); }) {}
    int32_t parameterMouseDown(int32_t tag, uint32_t buttons) override
    {
        gCalls->push_back("host " + std::to_string(tag) + " " + std::to_string(buttons));
        return 0;
    }
};
} // namespace

TEST(ControlWrapper, PressesReachTheControlThenTheHostAndEditsReachTheProductEditor)
{
    std::vector<std::string> calls;
    gCalls = &calls;
    RecordingEngine engine;
    ASSERT_TRUE(engine.open(Platform::kOffscreen));
    auto* editor = static_cast<TestEditor*>(engine.getEditor());
    editor->container->addControl(new Probe);
    // Product (120, 120) is frame (120, 172); bit 0 and the bits above the double-click bit
    // never reach controls.
    const uint32_t sent = 1u | qortk::kLButton | qortk::kShift | qortk::kDoubleClick | (1u << 12);
    engine.getFrame()->mouseDown({120, 172}, sent);
    const uint32_t seen = qortk::kLButton | qortk::kShift | qortk::kDoubleClick;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "down 120,120 " + std::to_string(seen));
    EXPECT_EQ(calls[1], "host 5 " + std::to_string(seen));
    EXPECT_EQ(editor->log.back(), "changed 5=0.750000");
    gCalls = nullptr;
}

TEST(ControlWrapper, DrawsThroughTheFrameWithBitmapsFromTheHolders)
{
    std::vector<std::string> calls;
    gCalls = &calls;
    RecordingEngine engine;
    ASSERT_TRUE(engine.open(Platform::kOffscreen));
    static_cast<TestEditor*>(engine.getEditor())->container->addControl(new Probe);
    auto* out = static_cast<qortk::OffscreenBackend*>(engine.getFrame()->platform());
    EXPECT_EQ(out->pixel(130, 182), 0x00c864ffu);
    // The lit meter face's top-left corner is dark, not the probe's green.
    EXPECT_LT(qortk::PixelAccess::green(out->pixel(101, 153)), 100);
    gCalls = nullptr;
}

TEST(ControlWrapper, HintsValuesAndTagsPassToTheView)
{
    auto* knob = new QorBaseControl({28, 143, 142, 257}, 4, nullptr, QorBaseControl::kKnobView);
    Qorwerk::CQorBaseControlWrapper view(std::unique_ptr<QorBaseControl>(knob), nullptr, nullptr);
    knob->setHint(TestEditor::kTimeHint);
    EXPECT_EQ(view.tooltipText(), TestEditor::kTimeHint);
    const std::string longText(700, 'h');
    knob->setHint(longText.c_str());
    EXPECT_EQ(std::string(knob->getHint()).size(), QorBaseControl::kHintSize - 1);
    knob->setValue(1.7);
    EXPECT_DOUBLE_EQ(view.value(), 1.0);
    knob->setValue(-0.2);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.0);
    knob->beginEdit();
    knob->setValue(0.4);
    EXPECT_DOUBLE_EQ(knob->getValue(), 0.0) << "the host does not move a control the user holds";
    knob->endEdit();
    knob->setTag(-1);
    EXPECT_EQ(view.tag(), 4);
    knob->setTag(7);
    EXPECT_EQ(view.tag(), 7);
    knob->setMouseableArea({30, 150, 60, 170});
    EXPECT_EQ(view.mouseableArea(), (qortk::Rect{30, 150, 60, 170}));
    knob->scaleSize(0.5);
    EXPECT_EQ(view.viewSize(), (qortk::Rect{28, 143, 85, 200}));
}
