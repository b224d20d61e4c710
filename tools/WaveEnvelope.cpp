#include "tools/WaveEnvelope.h"

#include <algorithm>

void WaveEnvelope::add(float lo, float hi)
{
    if (count_ % bucketLength_ != 0)
    {
        auto& last = buckets_.back();
        last = {std::min(last.first, lo), std::max(last.second, hi)};
        ++count_;
        return;
    }
    if (buckets_.size() == kMaxBuckets)
    {
        for (std::size_t i = 0; i < kMaxBuckets / 2; ++i)
            buckets_[i] = {std::min(buckets_[2 * i].first, buckets_[2 * i + 1].first),
                           std::max(buckets_[2 * i].second, buckets_[2 * i + 1].second)};
        buckets_.resize(kMaxBuckets / 2);
        bucketLength_ *= 2;
    }
    if (buckets_.capacity() == 0)
        buckets_.reserve(kMaxBuckets);
    buckets_.emplace_back(lo, hi);
    ++count_;
}

std::pair<float, float> WaveEnvelope::range(std::size_t from, std::size_t to) const
{
    const std::size_t first = std::min(from / bucketLength_, buckets_.size() - 1);
    const std::size_t last = std::min((to - 1) / bucketLength_, buckets_.size() - 1);
    std::pair<float, float> r = buckets_[first];
    for (std::size_t i = first + 1; i <= last; ++i)
        r = {std::min(r.first, buckets_[i].first), std::max(r.second, buckets_[i].second)};
    return r;
}
