#include "tools/EditorAudioLoop.h"

#include <algorithm>

EditorAudioLoop::EditorAudioLoop(std::vector<std::vector<float>> channels, double sampleRate)
    : input_(std::move(channels)), sampleRate_(sampleRate)
{
    input_.resize(std::clamp<size_t>(input_.size(), 1, 2));
    for (auto& c : input_)
        if (c.empty())
            c.assign(1, 0.0f);
    output_.assign(input_.size(), std::vector<float>(kBlockFrames));
    effect_.setSampleRate(sampleRate_);
}

EditorAudioLoop::~EditorAudioLoop() { stop(); }

void EditorAudioLoop::start() { pacer_.start(kBlockFrames / sampleRate_, [this] { processBlock(); }); }

void EditorAudioLoop::stop() { pacer_.stop(); }

void EditorAudioLoop::setParameter(uint32_t index, double value)
{
    if (index >= kSlots)
        return;
    values_[index].store(float(value), std::memory_order_relaxed);
    pending_.fetch_or(1u << index, std::memory_order_release);
}

void EditorAudioLoop::processBlock()
{
    uint32_t changed = pending_.exchange(0, std::memory_order_acquire);
    for (uint32_t i = 0; changed != 0; ++i, changed >>= 1)
        if (changed & 1u)
            effect_.setParameter(i, values_[i].load(std::memory_order_relaxed));

    const size_t length = input_[0].size();
    const bool stereo = input_.size() > 1;
    int32_t done = 0;
    // A block that runs past the end of the audio continues from its start.
    while (done < kBlockFrames)
    {
        const int32_t n = int32_t(std::min<size_t>(size_t(kBlockFrames - done), length - position_));
        float* in[2] = {input_[0].data() + position_, stereo ? input_[1].data() + position_ : nullptr};
        float* out[2] = {output_[0].data() + done, stereo ? output_[1].data() + done : nullptr};
        effect_.process(in, out, n);
        done += n;
        position_ = (position_ + size_t(n)) % length;
    }
    double reading = 0.0;
    effect_.getParameter(13, &reading);
    meter_.store(reading, std::memory_order_relaxed);
    blocks_.fetch_add(1, std::memory_order_relaxed);
}
