#include "QORLIB/format/lv2/Qor_LV2_UI.h"

#include "QORLIB/format/lv2/Qor_LV2_EditorEngine.h"
#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "QORLIB/format/lv2/Qor_LV2_Ports.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorIdentity.h"
#include "vellaCor/vellaCorParameters.h"

namespace Qor_LV2
{
namespace
{
// The control port of a parameter, or -1.
int32_t portOf(int32_t parameter)
{
    for (uint32_t p = 0; p < kNumControls; ++p)
        if (controlPort(p).parameter == parameter)
            return int32_t(p);
    return -1;
}
} // namespace

UI::UI(const HostInterface& host) : host_(host)
{
    if (host_.instance)
        presets_ = &host_.instance->presets();
    else
    {
        ownPresets_ = std::make_unique<QorPresetManager>(&ownHost_, vellaCorFactoryPresets::presetProduct());
        ownHost_.setManager(ownPresets_.get());
        presets_ = ownPresets_.get();
    }
    setManager(presets_);
    QorInstancePresetHost& presetHost = host_.instance ? host_.instance->presetHost() : ownHost_;
    presetHost.attach(this);
    engine_ = std::make_unique<EditorEngine>(*this);
    engine_->setManager(presets_);
}

UI::~UI()
{
    close();
    engine_.reset();
    QorInstancePresetHost& presetHost = host_.instance ? host_.instance->presetHost() : ownHost_;
    if (presetHost.attached() == this)
        presetHost.attach(nullptr);
}

bool UI::open()
{
    if (engine_->isOpen())
        return true;
    qortk::X11Window::setWindowClass("qor-vellacor", vellaCorIdentity::kProductName);
    using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
    if (!engine_->open(host_.parent ? Platform::kX11Embedded : Platform::kX11Window, host_.parent))
        return false;
    // The host's scale is where an editor starts until the user has chosen a zoom of their own.
    double saved = 0.0;
    if (host_.scaleFactor > 0.0f && QorGlobalSettings::getGlobalSetting(QorGlobalSettings::kZoomSetting, saved) != 0)
        engine_->setZoom(host_.scaleFactor);
    if (!host_.parent)
        static_cast<qortk::X11Window*>(engine_->getFrame()->platform())
            ->setTitle(std::string(vellaCorIdentity::kProductName) + (host_.stereo ? " Stereo" : " Mono"));
    // The controls start where the preset stands; hosts that send no port values at first
    // (jalv's console) would otherwise leave them at their construction values.
    for (uint32_t p = 0; p < kNumControls; ++p)
    {
        const int32_t index = controlPort(p).parameter;
        engine_->forwardParameter(index, presets_->current().values[index]);
    }
    sizeRepeated_ = false;
    editorResized();
    return true;
}

void UI::close()
{
    if (!engine_ || !engine_->isOpen())
        return;
    engine_->close(); // ends open touch gestures
}

bool UI::isOpen() const { return engine_ && engine_->isOpen(); }

unsigned long UI::windowId() const
{
    auto* window = isOpen() ? dynamic_cast<qortk::X11Window*>(engine_->getFrame()->platform()) : nullptr;
    return window ? window->windowId() : 0;
}

void UI::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (format != 0 || size != sizeof(float) || buffer == nullptr)
        return;
    const float value = *static_cast<const float*>(buffer);
    if (port == kGainReductionPort)
    {
        engine_->forwardParameter(vellaCorParameters::kGainReduction, value);
        return;
    }
    if (port >= kNumControls)
        return;
    const ControlPort& p = controlPort(port);
    const double normalised = normalisedValue(p, value);
    // Host automation counts as an edit of the preset (undo step, modified mark); echoes of our
    // own writes carry the value the manager already has and change nothing there.
    presets_->parameterChanged(p.parameter, normalised);
    engine_->forwardParameter(p.parameter, normalised);
}

int UI::idle()
{
    if (!isOpen())
        return 0;
    if (!sizeRepeated_)
    {
        // Hosts that wrap the window (suil) can take a size only once the instance is made.
        sizeRepeated_ = true;
        lastWidth_ = lastHeight_ = 0;
        editorResized();
    }
    auto* window = static_cast<qortk::X11Window*>(engine_->getFrame()->platform());
    window->idle();
    if (window->closeRequested())
    {
        close();
        return 1;
    }
    return 0;
}

void UI::writePort(uint32_t port, float value)
{
    if (!host_.write || port >= touching_.size())
        return;
    if (touching_[port])
    {
        // A press that has not moved yet, or a knob still on the same step, is no new value.
        if (value != lastWritten_[port])
            host_.write(host_.controller, port, sizeof(float), 0, &value);
        lastWritten_[port] = value;
        return;
    }
    // A value of no gesture of the user's (a preset load) is a gesture of its own.
    if (host_.touch)
        host_.touch->touch(host_.touch->handle, port, true);
    host_.write(host_.controller, port, sizeof(float), 0, &value);
    if (host_.touch)
        host_.touch->touch(host_.touch->handle, port, false);
}

void UI::editorBeginEdit(int32_t index)
{
    const int32_t port = portOf(index);
    if (port < 0 || touching_[size_t(port)])
        return;
    touching_[size_t(port)] = true;
    lastWritten_[size_t(port)] = float(presets_->current().values[index] * controlPort(uint32_t(port)).scale);
    if (host_.touch)
        host_.touch->touch(host_.touch->handle, uint32_t(port), true);
}

void UI::editorEndEdit(int32_t index)
{
    const int32_t port = portOf(index);
    if (port < 0 || !touching_[size_t(port)])
        return;
    touching_[size_t(port)] = false;
    if (host_.touch)
        host_.touch->touch(host_.touch->handle, uint32_t(port), false);
}

void UI::editorEdit(int32_t index, double value)
{
    const int32_t port = portOf(index);
    if (port >= 0)
    {
        writePort(uint32_t(port), float(value * controlPort(uint32_t(port)).scale));
        presets_->parameterChanged(index, value);
    }
    engine_->forwardParameter(index, value);
}

void UI::editorResized()
{
    if (!host_.resize || !isOpen())
        return;
    const int w = engine_->getFrame()->deviceWidth();
    const int h = engine_->getFrame()->deviceHeight();
    if (w == lastWidth_ && h == lastHeight_)
        return;
    lastWidth_ = w;
    lastHeight_ = h;
    host_.resize->ui_resize(host_.resize->handle, w, h);
}

void UI::parameterChanged(int32_t index, double value)
{
    const int32_t port = portOf(index);
    if (port >= 0)
        writePort(uint32_t(port), float(value * controlPort(uint32_t(port)).scale));
    engine_->forwardParameter(index, value);
}


} // namespace Qor_LV2
