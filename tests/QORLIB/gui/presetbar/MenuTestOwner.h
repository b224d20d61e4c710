#pragma once

#include "QORLIB/gui/CQorViewContainerWrapper.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"
#include "QORLIB/gui/toolkit/Control.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "tests/QORLIB/gui/TestEditor.h"

#include <memory>
#include <string>
#include <vector>

// The strip editor over an offscreen editor of 400 × 275 points below a 52-point strip. Its
// containers report to the strip editor's valueChanged; announcements are recorded, and 93 and
// 94 come back as notifications, as the host's parameter path brings them back.
class MenuTestOwner : public QorPresetBarEditor, public qortk::ControlListener
{
public:
    static constexpr double kWidth = 400.0;
    static constexpr double kHeight = 275.0;

    MenuTestOwner()
    {
        engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kOffscreen);
        engine.setZoom(1.0);
    }
    ~MenuTestOwner() override
    {
        if (isOpen())
            close();
        for (auto& c : containers)
            frame().removeView(c->view().get());
    }

    using QorPresetBarEditor::valueChanged;
    void valueChanged(qortk::Control* control) override { valueChanged(control->tag(), control->value()); }

    void applyZoom(double) override {}
    QorViewContainer* createContainer(const QorRect& rect) override
    {
        containers.push_back(std::make_unique<Qorwerk::CQorViewContainerWrapper>(rect, nullptr, this));
        return containers.back().get();
    }
    void showContainer(QorViewContainer* container) override
    {
        if (auto* c = find(container); c && !frame().hasChild(c->view().get()))
            frame().addView(c->view());
    }
    void hideContainer(QorViewContainer* container) override
    {
        if (auto* c = find(container))
            frame().removeView(c->view().get());
    }
    void announce(int32_t id, double value) override
    {
        announced.push_back(id);
        if (id == kShowInfo || id == kHideInfo)
            parameterChanged(id, value);
    }
    void showHints(bool on) override
    {
        hintCalls.push_back(on);
        engine.setHintsEnabled(on);
    }
    double editorZoom() override { return engine.getZoomFactor(); }
    void readPointer(QorPoint& where, uint32_t& buttons) override
    {
        const qortk::Point p = frame().currentMousePosition();
        where = {p.x, p.y};
        buttons = frame().currentButtons();
    }

    bool shown(QorViewContainer* container)
    {
        auto* c = find(container);
        return c && frame().hasChild(c->view().get());
    }

    Qorwerk::QorFrame& frame() { return *engine.getFrame(); }
    qortk::OffscreenBackend& screen() { return *static_cast<qortk::OffscreenBackend*>(frame().platform()); }
    // Events at points of the product area (below the strip).
    static qortk::Point at(double x, double y) { return {x, y + kStripHeight}; }
    void down(double x, double y, uint32_t flags = qortk::kLButton) { frame().mouseDown(at(x, y), flags); }
    void move(double x, double y, uint32_t flags = 0) { frame().mouseMoved(at(x, y), flags); }
    void up(double x, double y, uint32_t flags = qortk::kLButton) { frame().mouseUp(at(x, y), flags); }
    void click(double x, double y, uint32_t flags = 0)
    {
        down(x, y, qortk::kLButton | flags);
        up(x, y, qortk::kLButton | flags);
    }
    void doubleClick(double x, double y)
    {
        click(x, y);
        click(x, y, qortk::kDoubleClick);
    }
    // The painted pixel at a point of the product area.
    uint32_t pixel(double x, double y)
    {
        screen().update();
        return screen().pixel(int(x), int(y + kStripHeight));
    }

    Qorwerk::QorVSTGUIEditorWrapperV2 engine{[](QorMasterGraphicalEngine* e) { return std::make_unique<TestEditor>(e); }};
    std::vector<std::unique_ptr<Qorwerk::CQorViewContainerWrapper>> containers;
    std::vector<int32_t> announced;
    std::vector<bool> hintCalls;

private:
    Qorwerk::CQorViewContainerWrapper* find(QorViewContainer* container)
    {
        for (auto& c : containers)
            if (c.get() == container)
                return c.get();
        return nullptr;
    }
};
