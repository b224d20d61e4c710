#pragma once

#include "QORLIB/QorMasterController.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"
#include "QORLIB/gui/toolkit/MouseEvents.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "vellaCor/editor/vellaCorEditor.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

// The test's private home gets a "Documents" folder, so that the user preset folder can be made
// below it.
struct WithDocumentsFolder
{
    WithDocumentsFolder()
    {
        if (const char* home = std::getenv("HOME"))
            std::filesystem::create_directories(std::filesystem::path(home) / "Documents");
    }
};

// The editor with its preset bar, offscreen, over a real preset manager, acting as the host:
// edits reach the manager and come back to the controls, announcements come straight back.
class StripEngine : private WithDocumentsFolder,
                    public Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar,
                    public QorMasterController
{
public:
    StripEngine()
        : QorVSTGUIEditorWrapperV4_PresetBar([](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }),
          presets(this, vellaCorFactoryPresets::presetProduct())
    {
        setManager(&presets);
    }
    ~StripEngine() override { close(); }

    // The editor's edits and announcements.
    void sendParameter(int32_t index, double value) override
    {
        sent.emplace_back(index, value);
        if (index >= 0 && index < 12)
            presets.parameterChanged(index, value);
        forwardParameter(index, value);
    }
    // The manager's values and notifications.
    void parameterChanged(int32_t index, double value) override
    {
        fromManager.emplace_back(index, value);
        forwardParameter(index, value);
    }
    int setGlobalSetting(int32_t n, double v) override { return QorGlobalSettings::setGlobalSetting(n, v); }
    int getGlobalSetting(int32_t n, double& v) override { return QorGlobalSettings::getGlobalSetting(n, v); }
    bool sendMessageToProcessor(const void*, int64_t) override { return false; }
    QorPresetManager* getPresetManager() override { return &presets; }
    QorBaseParametersController* getController() override { return nullptr; }
    void* getEditorFrame() override { return nullptr; }

    bool sentAny(int32_t index) const
    {
        for (const auto& s : sent)
            if (s.first == index)
                return true;
        return false;
    }

    QorPresetManager presets;
    std::vector<std::pair<int32_t, double>> sent;
    std::vector<std::pair<int32_t, double>> fromManager;
};

struct StripHarness
{
    StripEngine engine;

    StripHarness()
    {
        engine.open(Qorwerk::QorVSTGUIEditorWrapperV1::Platform::kOffscreen);
        engine.setZoom(1.0);
        engine.idle();
    }
    Qorwerk::QorFrame& frame() { return *engine.getFrame(); }
    qortk::OffscreenBackend& backend() { return *static_cast<qortk::OffscreenBackend*>(frame().platform()); }
    vellaCorEditor& editor() { return *static_cast<vellaCorEditor*>(engine.getEditor()); }
    QorPresetManager& presets() { return engine.presets; }
    double zoom() { return engine.getZoomFactor(); }
    // Frame points (the strip's own coordinates) to device pixels.
    qortk::Point at(double x, double y) { return {x * zoom(), y * zoom()}; }
    void click(double x, double y, uint32_t flags = qortk::kLButton)
    {
        frame().mouseDown(at(x, y), flags);
        frame().mouseUp(at(x, y), flags & ~uint32_t(qortk::kDoubleClick));
    }
    void pointer(double x, double y, uint32_t buttons = 0) { backend().setPointer(at(x, y), buttons); }
    uint32_t pixel(double x, double y)
    {
        backend().update();
        const qortk::Point p = at(x, y);
        return backend().pixel(int(p.x), int(p.y));
    }
    std::string name() { return engine.nameControl() ? engine.nameControl()->number() + engine.nameControl()->name() : ""; }
};
