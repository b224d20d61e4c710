#pragma once

#include "QORLIB/QorMasterController.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXMailbox.h"

#include <cstdint>
#include <memory>

class AAX_IEffectParameters;
class Qor_AAX_EditorLink;
class QorBaseParametersController;
class QorPresetManager;

// The controller-side bridge inside the parameters object: the preset manager, the product
// controller and the editor reach the host through it, and it holds what waits for the
// processor (editor-side values, one message). Main thread only.
class Qor_AAX_ControllerWrapper : public QorMasterController
{
public:
    static constexpr int32_t kNumValues = 29;
    static constexpr int32_t kFirstEditorValue = 12;
    static constexpr double kNothingPending = -1.0;

    // Fills currentValues (factory preset 0 for 0..11, table defaults above), then creates the
    // product controller and the preset manager, both talking to this bridge.
    Qor_AAX_ControllerWrapper();
    // Destroys the controller, then the preset manager.
    ~Qor_AAX_ControllerWrapper() override;
    Qor_AAX_ControllerWrapper(const Qor_AAX_ControllerWrapper&) = delete;
    Qor_AAX_ControllerWrapper& operator=(const Qor_AAX_ControllerWrapper&) = delete;

    void parameterChanged(int32_t index, double value) override;
    int setGlobalSetting(int32_t number, double value) override;
    int getGlobalSetting(int32_t number, double& value) override;
    bool sendMessageToProcessor(const void* data, int64_t length) override;
    QorPresetManager* getPresetManager() override { return presetManager.get(); }
    QorBaseParametersController* getController() override { return controller.get(); }
    void* getEditorFrame() override;

    // Touch, set and release of the host parameter of index 0..12, or only the set (and none
    // for a value the host was last sent) inside an open gesture; then, unless a group is
    // suppressed, the preset manager hears of a stored parameter's edit.
    void pushToHost(int32_t index, double value);
    // The editor's gesture on host parameter index: touched once at the start, released once at
    // the end; unmatched calls do nothing.
    void beginGesture(int32_t index);
    void endGesture(int32_t index);
    bool gestureOpen(int32_t index) const;
    // A touched host change of index 0..11 coming back from the host: passed on to the
    // controller side (never back to the host), with the echo of a counted group of edits
    // re-bracketed as 70, the values, 71.
    void hostEcho(int32_t index, double value);

    AAX_IEffectParameters* parameters = nullptr; // the owning parameters object
    std::unique_ptr<QorBaseParametersController> controller;
    bool notifyBusy = false;
    std::unique_ptr<QorPresetManager> presetManager;
    bool groupSuppress = false;
    bool groupActive = false;
    int32_t groupCount = 0;
    int32_t groupEditCount = 0;
    int32_t echoProgress = 0;
    Qor_AAX_EditorLink* editor = nullptr;
    double currentValues[kNumValues];
    double pendingValues[kNumValues];
    bool pendingDirty = false;
    std::unique_ptr<QorAAXMailbox> mailbox;
    uint64_t outgoingLength = 0;
    uint8_t outgoing[QorAAXMailbox::kCapacity] = {};

private:
    void notifyController(int32_t index, double value);
    void takeFromHost(int32_t index, double value);

    bool gesture_[kFirstEditorValue] = {};
    float gestureLastSent_[kFirstEditorValue] = {};
};
