#pragma once

// A processor that records what the host layer does to it, placed into the host-owned
// processor block in place of the product's. Nothing here allocates.
#include "QORLIB/QorBaseAudioProcessor.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorMasterAudioProcessor.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace aaxtest
{
class ProbeProcessor : public QorBaseAudioProcessor
{
public:
    struct Call
    {
        uint32_t index;
        double value;
    };

    void process(float** in, float** out, int32_t n) override
    {
        ++processCalls;
        lastCount = n;
        copy(in, out, n, 0.5f);
        sendPending();
        if (bridge != nullptr)
            timeInfo = *bridge->getTimeInfo();
    }
    void processBypassed(float** in, float** out, int32_t n) override
    {
        ++bypassCalls;
        lastCount = n;
        copy(in, out, n, 1.0f);
    }
    void processDouble(double**, double**, int32_t) override {}
    void processDoubleBypassed(double**, double**, int32_t) override {}
    int32_t getLatency() override { return latency; }
    int32_t reservedQuery() override { return 0; }
    bool setSampleRate(double rate) override
    {
        ++sampleRateCalls;
        sampleRate = rate;
        return true;
    }
    void reset() override {}
    bool booleanQuery1() override { return true; }
    bool booleanQuery2() override { return true; }
    void setParameter(uint32_t index, double value) override
    {
        if (callCount < kMaxCalls)
            calls[callCount++] = {index, value};
    }
    bool getParameter(int32_t index, double* value) override
    {
        if (index != 13 || !hasMeter)
            return false;
        *value = meter;
        return true;
    }
    bool receiveMessage(const void* data, int32_t size) override
    {
        ++messages;
        messageLength = size;
        std::memcpy(message, data, size_t(size));
        return true;
    }

    void clearCalls() { callCount = 0; }
    int callsFor(uint32_t index) const
    {
        int n = 0;
        for (int i = 0; i < callCount; ++i)
            n += calls[i].index == index ? 1 : 0;
        return n;
    }

    static constexpr int kMaxCalls = 48;
    Call calls[kMaxCalls] = {};
    int callCount = 0;
    int processCalls = 0;
    int bypassCalls = 0;
    int sampleRateCalls = 0;
    int32_t lastCount = -1;
    double sampleRate = 0.0;
    int32_t latency = 0;
    bool hasMeter = true;
    double meter = 0.0;
    int messages = 0;
    int32_t messageLength = 0;
    uint8_t message[1024] = {};
    QorTimeInfo timeInfo = {};
    // Sent to the controller side from the next process call, then forgotten.
    const char* toSend = nullptr;
    int64_t toSendLength = 0;
    bool sendAccepted = false;

private:
    // Output = input × gain, so a test can tell the two paths apart.
    static void copy(float** in, float** out, int32_t n, float gain)
    {
        for (int ch = 0; ch < 2; ++ch)
            if (in[ch] != nullptr && out[ch] != nullptr)
                for (int32_t i = 0; i < n; ++i)
                    out[ch][i] = in[ch][i] * gain;
    }
    void sendPending()
    {
        if (toSend != nullptr || toSendLength != 0)
            sendAccepted = bridge != nullptr && bridge->sendMessageToController(toSend, toSendLength);
        toSend = nullptr;
        toSendLength = 0;
    }
};
} // namespace aaxtest
