#pragma once

#include "QORLIB/QorMasterController.h"

class EditorAudioLoop;
class QorMasterGraphicalEngine;

// The host interface of the stand-alone editor's preset manager: preset values go to the audio
// loop and back to the controls, notifications to the editor (product editor and preset bar).
class StandalonePresetHost : public QorMasterController
{
public:
    StandalonePresetHost(QorMasterGraphicalEngine& engine, EditorAudioLoop* loop) : engine_(engine), loop_(loop) {}

    void setManager(QorPresetManager* manager) { manager_ = manager; }

    void parameterChanged(int32_t index, double value) override;
    int setGlobalSetting(int32_t number, double value) override;
    int getGlobalSetting(int32_t number, double& value) override;
    bool sendMessageToProcessor(const void*, int64_t) override { return false; }
    QorPresetManager* getPresetManager() override { return manager_; }
    QorBaseParametersController* getController() override { return nullptr; }
    void* getEditorFrame() override { return nullptr; }

private:
    QorMasterGraphicalEngine& engine_;
    EditorAudioLoop* loop_;
    QorPresetManager* manager_ = nullptr;
};
