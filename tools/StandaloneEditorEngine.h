#pragma once

#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"

class EditorAudioLoop;

// The editor engine of the stand-alone program, acting as the host: an edit goes to the audio
// loop (when one plays) and comes back to the controls as a host's echo would; private messages
// (about box, resize) come straight back; every idle tick forwards the loop's meter reading.
class StandaloneEditorEngine : public Qorwerk::QorVSTGUIEditorWrapperV2
{
public:
    explicit StandaloneEditorEngine(EditorAudioLoop* loop);

    // Sends the host parameters of a factory preset to the loop and the controls.
    void applyFactoryPreset(int32_t number);

    void sendParameter(int32_t index, double value) override;
    void idle() override;

private:
    EditorAudioLoop* loop_;
};
