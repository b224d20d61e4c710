#pragma once

#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "tests/QORLIB/gui/TestEditor.h"

#include <algorithm>
#include <string>

// An open offscreen editor whose product container takes the controls under test; events are
// sent to the frame in product coordinates at zoom 1 (the strip is 52 points high).
struct ControlHarness
{
    Qorwerk::QorVSTGUIEditorWrapperV2 engine{[](QorMasterGraphicalEngine* e) { return std::make_unique<TestEditor>(e); }};

    ControlHarness()
    {
        engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kOffscreen);
        engine.setZoom(1.0);
    }
    TestEditor& editor() { return *static_cast<TestEditor*>(engine.getEditor()); }
    template <typename C> C* add(C* control)
    {
        editor().container->addControl(control);
        return control;
    }
    Qorwerk::QorFrame& frame() { return *engine.getFrame(); }
    static qortk::Point at(double x, double y) { return {x, y + 52.0}; }
    void down(double x, double y, uint32_t flags = qortk::kLButton) { frame().mouseDown(at(x, y), flags); }
    void move(double x, double y, uint32_t flags = qortk::kLButton) { frame().mouseMoved(at(x, y), flags); }
    void up(double x, double y, uint32_t flags = qortk::kLButton) { frame().mouseUp(at(x, y), flags); }
    void wheel(double x, double y, float distance, uint32_t flags = 0) { frame().wheel(at(x, y), distance, flags); }
    // How many edits the product editor has seen from the control with the tag.
    int reports(int tag)
    {
        const std::string prefix = "changed " + std::to_string(tag) + "=";
        return int(std::count_if(editor().log.begin(), editor().log.end(),
                                 [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
    }
};
