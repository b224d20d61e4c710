#pragma once

#include <cstdint>

class QorPresetManager;
class QorBaseParametersController;

// The controller-side bridge as the preset manager, the product controller and the editor see
// it; the host layer implements it. Main (non-audio) thread only.
class QorMasterController
{
public:
    virtual ~QorMasterController() = default;

    // Carries a parameter value (0..28) or a notification (29, 54, 57, 59, 69, 70, 71, ...) to
    // the host side.
    virtual void parameterChanged(int32_t index, double value) = 0;
    // Handed to the global settings store; status 0 on success.
    virtual int setGlobalSetting(int32_t number, double value) = 0;
    virtual int getGlobalSetting(int32_t number, double& value) = 0;
    // Queues a message of at most 1024 bytes for the processor; false when refused.
    virtual bool sendMessageToProcessor(const void* data, int64_t length) = 0;
    virtual QorPresetManager* getPresetManager() = 0;
    virtual QorBaseParametersController* getController() = 0;
    // The open editor's toolkit frame, or null while no editor is linked.
    virtual void* getEditorFrame() = 0;
};
