#include "QORLIB/format/dpf/Qor_DPF_UI.h"

#include "QORLIB/format/dpf/Qor_DPF_EditorEngine.h"
#include "QORLIB/format/dpf/Qor_DPF_Plugin.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

#include "DistrhoPluginUtils.hpp"

#include <cstdio>
#include <cstring>

START_NAMESPACE_DISTRHO

namespace
{
// The format this module was built as, by the framework's own name for it.
const QorPluginFormat& runningFormat()
{
    const char* name = getPluginFormatName();
    if (std::strcmp(name, "VST3") == 0)
        return QorPluginFormats::kVst3;
    if (std::strcmp(name, "CLAP") == 0)
        return QorPluginFormats::kClap;
    if (std::strstr(name, "Standalone") != nullptr)
        return QorPluginFormats::kJack;
    return QorPluginFormats::kUnnamed;
}
} // namespace

QorUI::QorUI()
    : UI(DISTRHO_UI_DEFAULT_WIDTH, DISTRHO_UI_DEFAULT_HEIGHT),
      plugin_(static_cast<QorPlugin*>(getPluginInstancePointer())),
      presets_(&plugin_->presets()),
      link_(*this)
{
    link_.setManager(presets_);
    plugin_->presetHost().attach(&link_);
    engine_ = std::make_unique<Qor_DPF::EditorEngine>(*this);
    engine_->setPluginFormat(runningFormat());
    engine_->setManager(presets_);

    const uintptr_t parent = getNextWindowId();
    const double scale = getNextScaleFactor();
    qortk::X11Window::setWindowClass("qor-vellacor", vellaCorIdentity::kProductName);
    using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
    std::string error;
    if (!engine_->open(parent != 0 ? Platform::kX11Embedded : Platform::kX11Window, parent, &error))
    {
        std::fprintf(stderr, "%s: the editor cannot open: %s\n", vellaCorIdentity::kProductName, error.c_str());
        constructing_ = false;
        return;
    }
    // The host's scale is where an editor starts until the user has chosen a zoom of their own.
    double saved = 0.0;
    if (scale > 0.0 && scale != 1.0 && QorGlobalSettings::getGlobalSetting(QorGlobalSettings::kZoomSetting, saved) != 0)
        engine_->setZoom(scale);
    if (parent == 0)
        static_cast<qortk::X11Window*>(engine_->getFrame()->platform())
            ->setTitle(std::string(vellaCorIdentity::kProductName) + (DISTRHO_PLUGIN_NUM_INPUTS == 2 ? " Stereo" : " Mono"));
    // The controls start where the preset stands.
    for (uint32_t h = 0; h < Qor_DPF::kNumControls; ++h)
    {
        const int32_t index = Qor_DPF::hostParameter(h).parameter;
        engine_->forwardParameter(index, presets_->current().values[index]);
    }
    editorResized();
    constructing_ = false;
}

QorUI::~QorUI()
{
    closeEditor();
    engine_.reset();
    if (plugin_->presetHost().attached() == &link_)
        plugin_->presetHost().attach(nullptr);
}

void QorUI::closeEditor()
{
    if (!engine_ || !engine_->isOpen())
        return;
    engine_->close(); // ends open gestures
}

uintptr_t QorUI::getNativeWindowHandle() const noexcept
{
    if (!engine_ || !engine_->isOpen())
        return 0;
    auto* window = dynamic_cast<qortk::X11Window*>(engine_->getFrame()->platform());
    return window ? window->windowId() : 0;
}

bool QorUI::isRunning() const { return !closed_ && engine_ && engine_->isOpen() && isVisible(); }

void QorUI::close()
{
    closed_ = true;
    UI::close();
}

void QorUI::uiIdle()
{
    if (!engine_ || !engine_->isOpen())
        return;
    auto* window = static_cast<qortk::X11Window*>(engine_->getFrame()->platform());
    window->idle(); // runs the editor's events and timers
    // Only a window of its own can be closed from here; an embedded one is the host's to close.
    if (window->closeRequested() && !isEmbed() && !closed_)
        close();
}

void QorUI::sizeChanged(uint width, uint height)
{
    // While the UI is being made, the host asks for its size afterwards; DPF's wrappers cannot
    // take a size request yet.
    if (!constructing_)
        UI::sizeChanged(width, height);
}

void QorUI::uiScaleFactorChanged(double scale)
{
    // A host moving the editor to a screen of another scale: the editor follows, and its new
    // size goes back to the host.
    if (engine_ && engine_->isOpen() && scale > 0.0)
        engine_->setZoom(scale);
}

void QorUI::setHostValue(uint32_t h, double normalised)
{
    const float plain = Qor_DPF::plainValue(h, normalised);
    if (touching_[h])
    {
        // A press that has not moved yet, or a knob still on the same step, is no new value.
        if (plain != lastSent_[h])
            setParameterValue(h, plain);
        lastSent_[h] = plain;
        return;
    }
    // A value of no gesture of the user's (a preset load) is a gesture of its own.
    editParameter(h, true);
    setParameterValue(h, plain);
    editParameter(h, false);
}

void QorUI::editorBeginEdit(int32_t index)
{
    const int32_t h = Qor_DPF::hostIndexOf(index);
    if (h < 0 || uint32_t(h) >= Qor_DPF::kNumControls || touching_[size_t(h)])
        return;
    touching_[size_t(h)] = true;
    lastSent_[size_t(h)] = Qor_DPF::plainValue(uint32_t(h), presets_->current().values[index]);
    editParameter(uint32_t(h), true);
}

void QorUI::editorEndEdit(int32_t index)
{
    const int32_t h = Qor_DPF::hostIndexOf(index);
    if (h < 0 || uint32_t(h) >= Qor_DPF::kNumControls || !touching_[size_t(h)])
        return;
    touching_[size_t(h)] = false;
    editParameter(uint32_t(h), false);
}

void QorUI::editorEdit(int32_t index, double value)
{
    const int32_t h = Qor_DPF::hostIndexOf(index);
    if (h >= 0 && uint32_t(h) < Qor_DPF::kNumControls)
    {
        setHostValue(uint32_t(h), value);
        presets_->parameterChanged(index, value);
    }
    engine_->forwardParameter(index, value);
}

void QorUI::presetValue(int32_t index, double value)
{
    const int32_t h = Qor_DPF::hostIndexOf(index);
    if (h >= 0 && uint32_t(h) < Qor_DPF::kNumControls)
        setHostValue(uint32_t(h), value);
    if (engine_)
        engine_->forwardParameter(index, value);
}

void QorUI::editorResized()
{
    if (!engine_ || !engine_->isOpen())
        return;
    const int w = engine_->getFrame()->deviceWidth();
    const int h = engine_->getFrame()->deviceHeight();
    if (w > 1 && h > 1)
        setSize(uint(w), uint(h));
}

void QorUI::parameterChanged(uint32_t index, float value)
{
    if (!engine_)
        return;
    if (index == Qor_DPF::kGainReduction)
    {
        engine_->forwardParameter(int32_t(vellaCorParameters::kGainReduction), value);
        return;
    }
    if (index >= Qor_DPF::kNumControls)
        return;
    const int32_t parameter = Qor_DPF::hostParameter(index).parameter;
    const double normalised = Qor_DPF::normalisedValue(index, value);
    // Host automation counts as an edit of the preset; echoes of our own edits change nothing there.
    presets_->parameterChanged(parameter, normalised);
    engine_->forwardParameter(parameter, normalised);
}

void QorUI::programLoaded(uint32_t index)
{
    // DPF tells a new UI the current program; that is no load.
    if (constructing_ || index >= QorPlugin::kNumPrograms)
        return;
    // The host chose a factory preset and has set its values already: the preset bar shows its
    // name, the controls its values, and it is one undo step. Nothing goes back to the host.
    presets_->beginPresetLoad();
    presets_->current() = presets_->factoryRecord(index);
    presets_->markCurrentAsReference();
    for (uint32_t h = 0; h < Qor_DPF::kNumControls; ++h)
    {
        const int32_t parameter = Qor_DPF::hostParameter(h).parameter;
        engine_->forwardParameter(parameter, presets_->current().values[parameter]);
    }
    presets_->endPresetLoad();
    engine_->forwardParameter(kRefreshPresetDisplays, 1.0);
}

void QorUI::stateChanged(const char*, const char*) {}

UI* createUI() { return new QorUI(); }

END_NAMESPACE_DISTRHO
