#include "QORLIB/format/aax/host/AaxPlaybackLoop.h"

#include "QORLIB/format/aax/host/AaxInstance.h"

#include <algorithm>

AaxPlaybackLoop::AaxPlaybackLoop(AaxInstance& instance, std::vector<std::vector<float>> channels, double sampleRate)
    : instance_(instance), input_(std::move(channels)), sampleRate_(sampleRate > 0.0 ? sampleRate : 44100.0)
{
    const std::size_t count = std::size_t(std::max(instance.channels(), 1));
    input_.resize(count);
    std::size_t length = 1;
    for (const auto& c : input_)
        length = std::max(length, c.size());
    for (auto& c : input_)
        c.resize(length, 0.0f);
    blockIn_.assign(count, std::vector<float>(kBlockFrames));
    blockOut_.assign(count, std::vector<float>(kBlockFrames));
    for (std::size_t ch = 0; ch < count; ++ch)
    {
        inPointers_.push_back(blockIn_[ch].data());
        outPointers_.push_back(blockOut_[ch].data());
    }
    instance_.setSampleRate(float(sampleRate_));
}

AaxPlaybackLoop::~AaxPlaybackLoop() { stop(); }

void AaxPlaybackLoop::start() { pacer_.start(kBlockFrames / sampleRate_, [this] { processBlock(); }); }

void AaxPlaybackLoop::stop() { pacer_.stop(); }

void AaxPlaybackLoop::processBlock()
{
    // The file continues from its start when a block runs past its end.
    const std::size_t length = input_[0].size();
    for (std::size_t ch = 0; ch < input_.size(); ++ch)
        for (std::size_t i = 0, p = position_; i < std::size_t(kBlockFrames); ++i, p = (p + 1) % length)
            blockIn_[ch][i] = input_[ch][p];
    position_ = (position_ + std::size_t(kBlockFrames)) % length;
    {
        const std::lock_guard<std::mutex> lock(lock_);
        instance_.runBlock(inPointers_.data(), outPointers_.data(), kBlockFrames);
    }
    blocks_.fetch_add(1, std::memory_order_relaxed);
}
