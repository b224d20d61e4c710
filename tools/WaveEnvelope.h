#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// The lowest and highest value of a signal over runs of equal length ("buckets"), for drawing it.
// At most kMaxBuckets are kept: when full, neighbours merge and runs double in length, so memory
// stays bounded however long the signal is.
class WaveEnvelope
{
public:
    static constexpr std::size_t kMaxBuckets = 4096;

    void add(float lo, float hi);

    std::size_t count() const { return count_; } // values added
    std::size_t bucketLength() const { return bucketLength_; }
    const std::vector<std::pair<float, float>>& buckets() const { return buckets_; }
    // Lowest and highest over the values [from, to), to > from; whole buckets, so a little wider
    // once runs are longer than one value.
    std::pair<float, float> range(std::size_t from, std::size_t to) const;

private:
    std::vector<std::pair<float, float>> buckets_; // all full but the last
    std::size_t bucketLength_ = 1, count_ = 0;
};
