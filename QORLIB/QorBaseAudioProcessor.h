#pragma once

#include <cstdint>

class QorMasterAudioProcessor; // processor-side bridge of the host layer

// The framework's abstract audio processor. All operations run on the host's processing thread.
// Channel arrays hold two pointers: [0] first (left) channel, [1] second (right) or null for mono.
class QorBaseAudioProcessor
{
public:
    virtual ~QorBaseAudioProcessor() = default;

    virtual void process(float** inputs, float** outputs, int32_t sampleCount) = 0;
    virtual void processDouble(double** inputs, double** outputs, int32_t sampleCount) = 0;
    virtual void processBypassed(float** inputs, float** outputs, int32_t sampleCount) = 0;
    virtual void processDoubleBypassed(double** inputs, double** outputs, int32_t sampleCount) = 0;
    virtual int32_t getLatency() = 0;
    virtual int32_t reservedQuery() = 0;
    virtual bool setSampleRate(double rate) = 0;
    virtual void reset() = 0;
    virtual bool booleanQuery1() = 0;
    virtual bool booleanQuery2() = 0;
    virtual void setParameter(uint32_t index, double value) = 0;
    virtual bool getParameter(int32_t index, double* value) = 0;
    virtual bool receiveMessage(const void* data, int32_t size) = 0;

    // Set by the host layer before every block; lets a processor reach the transport and the
    // controller side.
    QorMasterAudioProcessor* bridge = nullptr;
};
