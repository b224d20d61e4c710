#pragma once

#include "QORLIB/gui/QorBaseControl.h"
#include "QORLIB/gui/QorBaseEditor.h"
#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/gui/QorViewContainer.h"

#include <string>
#include <vector>

// A product editor for tests: one control with a hint where the Time knob sits, and a log of
// what the engine called.
class TestEditor : public QorBaseEditor
{
public:
    static constexpr const char* kTimeHint = "Sets up the combined attack and release time";

    explicit TestEditor(QorMasterGraphicalEngine* engine) : QorBaseEditor(engine, {0, 0, 400, 275}) {}

    void open() override
    {
        log.push_back("open");
        container = engine_->createViewContainer(rect_);
        auto* knob = new QorBaseControl({28, 143, 142, 257}, 4, nullptr, QorBaseControl::kKnobView);
        knob->setHint(kTimeHint);
        container->addControl(knob);
        timeKnob = knob;
        engine_->addContainer(container);
    }
    void close() override
    {
        log.push_back("close");
        container = nullptr;
        timeKnob = nullptr;
    }
    void setParameter(int32_t index, double value) override
    {
        log.push_back("set " + std::to_string(index) + "=" + std::to_string(value));
    }
    double valueChanged(uint32_t tag, double value) override
    {
        log.push_back("changed " + std::to_string(tag) + "=" + std::to_string(value));
        return value;
    }
    void idle() override { ++idles; }

    std::vector<std::string> log;
    QorViewContainer* container = nullptr;
    QorBaseControl* timeKnob = nullptr;
    int idles = 0;
};
