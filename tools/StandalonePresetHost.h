#pragma once

#include "QORLIB/presets/QorLocalController.h"

class EditorAudioLoop;
class QorMasterGraphicalEngine;

// The host interface of the stand-alone editor's preset manager: preset values go to the audio
// loop and back to the controls, notifications to the editor (product editor and preset bar).
class StandalonePresetHost : public QorLocalController
{
public:
    StandalonePresetHost(QorMasterGraphicalEngine& engine, EditorAudioLoop* loop) : engine_(engine), loop_(loop) {}

    void parameterChanged(int32_t index, double value) override;

private:
    QorMasterGraphicalEngine& engine_;
    EditorAudioLoop* loop_;
};
