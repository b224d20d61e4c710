#pragma once

#include "QORLIB/platform/QorPacedThread.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class AaxInstance;

// Plays audio through an instance in a loop at real-time pace, with no audio device: the host's
// audio thread. Each block runs only the process procedure and collects the meters; packets,
// private data and GUI stay with the main thread, which takes hostLock() around its own use of
// the instance's context (packets, direct data) so that the two never overlap, as a host
// serialises private-data access against processing.
class AaxPlaybackLoop
{
public:
    static constexpr int32_t kBlockFrames = 256;

    // channels: as many planar channels as the instance has, of equal length (an empty one
    // plays silence).
    AaxPlaybackLoop(AaxInstance& instance, std::vector<std::vector<float>> channels, double sampleRate);
    ~AaxPlaybackLoop();
    AaxPlaybackLoop(const AaxPlaybackLoop&) = delete;
    AaxPlaybackLoop& operator=(const AaxPlaybackLoop&) = delete;

    void start();
    void stop();
    // One block at once, without the pacing (tests).
    void processBlock();
    std::mutex& hostLock() { return lock_; }
    uint64_t blocks() const { return blocks_.load(std::memory_order_relaxed); }

private:
    AaxInstance& instance_;
    std::vector<std::vector<float>> input_;
    std::vector<std::vector<float>> blockIn_;
    std::vector<std::vector<float>> blockOut_;
    std::vector<float*> inPointers_;
    std::vector<float*> outPointers_;
    double sampleRate_;
    std::size_t position_ = 0;
    std::mutex lock_;
    std::atomic<uint64_t> blocks_{0};
    QorPacedThread pacer_;
};
