#pragma once

#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "vellaCor/editor/vellaCorEditor.h"

#include <memory>
#include <utility>
#include <vector>

// The product editor in an offscreen engine that acts as a host would: it records every
// parameter the editor sends and hands private messages (12 and above) straight back.
class RecordingHostEngine : public Qorwerk::QorVSTGUIEditorWrapperV2
{
public:
    RecordingHostEngine()
        : QorVSTGUIEditorWrapperV2([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); })
    {
    }
    void sendParameter(int32_t index, double value) override
    {
        sent.emplace_back(index, value);
        if (index >= 12)
            forwardParameter(index, value);
    }
    std::vector<std::pair<int32_t, double>> sent;
};

struct EditorHarness
{
    RecordingHostEngine engine;

    explicit EditorHarness(double zoom = 1.0)
    {
        engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kOffscreen);
        engine.setZoom(zoom);
    }
    vellaCorEditor& editor() { return *static_cast<vellaCorEditor*>(engine.getEditor()); }
    Qorwerk::QorFrame& frame() { return *engine.getFrame(); }
    qortk::OffscreenBackend& backend() { return *static_cast<qortk::OffscreenBackend*>(frame().platform()); }
    double zoom() { return engine.getZoomFactor(); }
    // Product points to device pixels.
    qortk::Point at(double x, double y) { return {x * zoom(), (y + 52.0) * zoom()}; }
    void click(double x, double y, uint32_t flags = qortk::kLButton)
    {
        frame().mouseDown(at(x, y), flags);
        frame().mouseUp(at(x, y), flags);
    }
    void move(double x, double y, uint32_t flags = 0) { frame().mouseMoved(at(x, y), flags); }
    // The device pixel under a product point after painting what is invalid, 0xRRGGBBAA.
    uint32_t pixel(double x, double y)
    {
        backend().update();
        const qortk::Point p = at(x, y);
        return backend().pixel(int(p.x), int(p.y));
    }
    std::pair<int32_t, double> lastSent() const
    {
        return engine.sent.empty() ? std::pair<int32_t, double>{-1, -1.0} : engine.sent.back();
    }
};
