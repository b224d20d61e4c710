#pragma once

#include "QORLIB/platform/QorPacedThread.h"
#include "vellaCor/vellaCorEffect.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

// Plays audio in a loop through the compressor at real-time pace on a worker thread of its own,
// with no audio device: the editor's needle follows the signal and every edit is heard by the
// engine within one block. The editor thread and the worker share only atomics.
class EditorAudioLoop
{
public:
    static constexpr int32_t kBlockFrames = 256;

    // channels: one or two planar channels of equal length, not empty.
    EditorAudioLoop(std::vector<std::vector<float>> channels, double sampleRate);
    ~EditorAudioLoop();
    EditorAudioLoop(const EditorAudioLoop&) = delete;
    EditorAudioLoop& operator=(const EditorAudioLoop&) = delete;

    void start();
    void stop();

    // Editor thread: a host parameter (0..11) for the next block.
    void setParameter(uint32_t index, double value);
    // Editor thread: the latest gain-reduction reading (parameter 13).
    double meter() const { return meter_.load(std::memory_order_relaxed); }
    double sampleRate() const { return sampleRate_; }
    // Blocks processed so far.
    uint64_t blocks() const { return blocks_.load(std::memory_order_relaxed); }
    // Processes one block at once, without the worker's pacing (tests).
    void processBlock();

private:
    static constexpr uint32_t kSlots = 12;

    vellaCorEffect effect_;
    std::vector<std::vector<float>> input_;
    std::vector<std::vector<float>> output_;
    double sampleRate_;
    size_t position_ = 0;
    std::array<std::atomic<float>, kSlots> values_{};
    std::atomic<uint32_t> pending_{0}; // one bit per slot with a new value
    std::atomic<double> meter_{0.0};
    std::atomic<uint64_t> blocks_{0};
    QorPacedThread pacer_;
};
