#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ControllerWrapper.h"

#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_EditorLink.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_HostDefaults.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "vellaCor/vellaCorController.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <algorithm>
#include <cmath>
#include <cstring>

Qor_AAX_ControllerWrapper::Qor_AAX_ControllerWrapper() : mailbox(std::make_unique<QorAAXMailbox>())
{
    std::memset(mailbox.get(), 0, sizeof(QorAAXMailbox));
    for (int32_t i = 0; i < kNumValues; ++i)
    {
        currentValues[i] = Qor_AAX_HostDefaults::value(uint32_t(i));
        pendingValues[i] = kNothingPending;
    }
    controller = std::make_unique<vellaCorController>(this);
    presetManager = std::make_unique<QorPresetManager>(this, vellaCorFactoryPresets::presetProduct());
}

Qor_AAX_ControllerWrapper::~Qor_AAX_ControllerWrapper()
{
    controller.reset();
    presetManager.reset();
}

void Qor_AAX_ControllerWrapper::notifyController(int32_t index, double value)
{
    if (controller == nullptr || notifyBusy)
        return;
    notifyBusy = true;
    controller->parameterChangedNotification(index, value);
    notifyBusy = false;
}

void Qor_AAX_ControllerWrapper::parameterChanged(int32_t index, double value)
{
    notifyController(index, value);
    pushToHost(index, value);
    if (index >= kFirstEditorValue)
    {
        if (editor != nullptr)
        {
            // The editor sets the zoom itself; echoing it back would fight its own resize.
            if (index == QorGlobalSettings::kZoomSetting)
                return;
            editor->forwardParameter(index, value);
        }
        if (index < kNumValues)
        {
            pendingDirty = true;
            pendingValues[index] = value;
        }
    }
    if (index >= 0 && index < kNumValues)
        currentValues[index] = value;
}

void Qor_AAX_ControllerWrapper::pushToHost(int32_t index, double value)
{
    if (index < 0 || index > kFirstEditorValue)
        return;
    if (parameters != nullptr)
    {
        const double clamped = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
        // An index without a host parameter makes these fail, which is all that happens.
        const char* id = vellaCorParameters::tables().identifiers[size_t(index)].c_str();
        if (gestureOpen(index))
        {
            // Inside a gesture a repeated value (a press that has not moved yet, a knob still on
            // the same step) is no new automation point.
            if (float(clamped) != gestureLastSent_[index])
            {
                gestureLastSent_[index] = float(clamped);
                parameters->SetParameterNormalizedValue(id, clamped);
            }
        }
        else
        {
            parameters->TouchParameter(id);
            parameters->SetParameterNormalizedValue(id, clamped);
            parameters->ReleaseParameter(id);
        }
    }
    if (presetManager != nullptr && !groupSuppress &&
        (vellaCorParameters::getParameterFlags(uint32_t(index)) & vellaCorParameters::kStoredInPresets) != 0)
        presetManager->parameterChanged(index, value);
}

bool Qor_AAX_ControllerWrapper::gestureOpen(int32_t index) const
{
    return index >= 0 && index < kFirstEditorValue && gesture_[index];
}

void Qor_AAX_ControllerWrapper::beginGesture(int32_t index)
{
    if (index < 0 || index >= kFirstEditorValue || gesture_[index])
        return;
    gesture_[index] = true;
    double now = currentValues[index];
    const char* id = vellaCorParameters::tables().identifiers[size_t(index)].c_str();
    if (parameters != nullptr)
    {
        parameters->GetParameterNormalizedValue(id, &now);
        parameters->TouchParameter(id);
    }
    gestureLastSent_[index] = float(now);
}

void Qor_AAX_ControllerWrapper::endGesture(int32_t index)
{
    if (!gestureOpen(index))
        return;
    gesture_[index] = false;
    if (parameters != nullptr)
        parameters->ReleaseParameter(vellaCorParameters::tables().identifiers[size_t(index)].c_str());
}

void Qor_AAX_ControllerWrapper::takeFromHost(int32_t index, double value)
{
    notifyController(index, value);
    if (presetManager != nullptr && !groupSuppress &&
        (vellaCorParameters::getParameterFlags(uint32_t(index)) & vellaCorParameters::kStoredInPresets) != 0)
        presetManager->parameterChanged(index, value);
    if (index >= 0 && index < kNumValues)
        currentValues[index] = value;
}

void Qor_AAX_ControllerWrapper::hostEcho(int32_t index, double value)
{
    // The value is the host's own: writing it back would be a second automation gesture.
    if (groupCount <= 0)
    {
        takeFromHost(index, value);
        // A group of a single edit is never bracketed; its one echo ends the suppression.
        if (groupSuppress && !groupActive)
            groupSuppress = false;
    }
    else if (echoProgress == 0)
    {
        parameterChanged(kPresetLoadBegin, 1.0);
        takeFromHost(index, value);
        ++echoProgress;
    }
    else if (echoProgress < groupCount)
    {
        takeFromHost(index, value);
        ++echoProgress;
    }
    else
    {
        takeFromHost(index, value);
        parameterChanged(kPresetLoadEnd, 1.0);
        groupCount = 0;
        groupSuppress = false;
    }
}

int Qor_AAX_ControllerWrapper::setGlobalSetting(int32_t number, double value)
{
    return QorGlobalSettings::setGlobalSetting(number, value);
}

int Qor_AAX_ControllerWrapper::getGlobalSetting(int32_t number, double& value)
{
    return QorGlobalSettings::getGlobalSetting(number, value);
}

bool Qor_AAX_ControllerWrapper::sendMessageToProcessor(const void* data, int64_t length)
{
    if (mailbox == nullptr || length < 0 || length > int64_t(QorAAXMailbox::kCapacity) ||
        (data == nullptr && length > 0))
        return false;
    std::memset(outgoing, 0, sizeof outgoing);
    if (length > 0)
        std::memcpy(outgoing, data, size_t(length));
    outgoingLength = uint64_t(length);
    return true;
}

void* Qor_AAX_ControllerWrapper::getEditorFrame() { return editor != nullptr ? editor->getFrame() : nullptr; }
