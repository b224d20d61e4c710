#include "tools/WaveEnvelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

// Short signals are kept value by value; long ones in runs of a power of two, never more than
// kMaxBuckets of them, and a range then covers at least the values asked for.
TEST(WaveEnvelope, BoundedAndNeverNarrowerThanTheValuesAskedFor)
{
    for (const std::size_t count : {std::size_t(1), std::size_t(4096), std::size_t(4097), std::size_t(100003)})
    {
        SCOPED_TRACE(count);
        WaveEnvelope e;
        std::vector<float> values(count);
        for (std::size_t i = 0; i < count; ++i)
        {
            values[i] = float(std::sin(0.001 * double(i * i % 7919)));
            e.add(values[i] - 0.25f, values[i]);
        }
        EXPECT_EQ(e.count(), count);
        EXPECT_LE(e.buckets().size(), WaveEnvelope::kMaxBuckets);
        // 100003 values need runs of 32: 4096 runs of 16 hold only 65536.
        EXPECT_EQ(e.bucketLength(), count <= 4096 ? 1u : count <= 8192 ? 2u : 32u);
        EXPECT_EQ(e.buckets().size(), (count + e.bucketLength() - 1) / e.bucketLength());
        for (const auto& [from, to] : {std::pair<std::size_t, std::size_t>{0, count}, {count / 3, count / 3 + 1},
                                       {count / 2, std::max(count / 2 + 1, count * 3 / 4)}})
        {
            const auto [lo, hi] = e.range(from, to);
            const float top = *std::max_element(values.begin() + long(from), values.begin() + long(to));
            const float bottom = *std::min_element(values.begin() + long(from), values.begin() + long(to)) - 0.25f;
            EXPECT_GE(hi, top);
            EXPECT_LE(lo, bottom);
            if (e.bucketLength() == 1)
            {
                EXPECT_EQ(hi, top);
                EXPECT_EQ(lo, bottom);
            }
        }
    }
}
