#pragma once

#include "QORLIB/QorMasterController.h"
#include "QORLIB/presets/QorGlobalSettings.h"

// A host interface living in the same process as its preset manager, without an AAX bridge (the
// stand-alone editor, an LV2 instance and its UI): settings from the per-user store, no processor
// messages, no product controller. Only parameterChanged is left to say.
class QorLocalController : public QorMasterController
{
public:
    void setManager(QorPresetManager* manager) { manager_ = manager; }

    int setGlobalSetting(int32_t number, double value) override
    {
        return QorGlobalSettings::setGlobalSetting(number, value);
    }
    int getGlobalSetting(int32_t number, double& value) override
    {
        return QorGlobalSettings::getGlobalSetting(number, value);
    }
    bool sendMessageToProcessor(const void*, int64_t) override { return false; }
    QorPresetManager* getPresetManager() override { return manager_; }
    QorBaseParametersController* getController() override { return nullptr; }
    void* getEditorFrame() override { return nullptr; }

private:
    QorPresetManager* manager_ = nullptr;
};
