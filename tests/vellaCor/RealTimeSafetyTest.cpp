// What users rely on whatever they feed in: no allocation, no NaN or infinity out, no dependence
// on how the host cuts the stream into blocks.
#include "tests/support/AllocationCounter.h"
#include "tests/vellaCor/Render.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using qortest::render;
using qortest::sine;

namespace
{
// Drum-like: a decaying noise burst every 100 ms.
std::vector<float> drums(int frames, double rate, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<float> s(frames);
    const int period = int(rate * 0.1);
    for (int i = 0; i < frames; ++i)
        s[i] = 0.8f * noise(rng) * float(std::exp(-double(i % period) / (rate * 0.015)));
    return s;
}

bool allFinite(const std::vector<float>& v)
{
    for (float x : v)
        if (!std::isfinite(x))
            return false;
    return true;
}
} // namespace

// Without this, a counter that never counts would let every "allocates nothing" test pass.
TEST(RealTimeSafety, TheAllocationCounterSeesAnAllocation)
{
    qortest::AllocationScope scope;
    void* volatile one = ::operator new(16);
    ::operator delete(one);
    EXPECT_EQ(scope.allocations(), 1u);
    std::vector<float> two(8); // through the standard library's allocator
    EXPECT_EQ(scope.allocations(), 2u);
    qortest::AllocationScope inner;
    EXPECT_EQ(inner.allocations(), 0u);
}

TEST(RealTimeSafety, ProcessingAllocatesNothing)
{
    vellaCorEffect e;
    const auto in = drums(8192, 44100.0, 1);
    std::vector<float> outL(in.size()), outR(in.size());
    std::vector<double> din(in.begin(), in.end()), doutL(in.size()), doutR(in.size());
    std::vector<uint8_t> message(10 + 16, 0);
    message[8] = 9;
    message[9] = 1;
    float* fin[2] = {const_cast<float*>(in.data()), const_cast<float*>(in.data())};
    float* fout[2] = {outL.data(), outR.data()};
    double* dinp[2] = {din.data(), din.data()};
    double* dout[2] = {doutL.data(), doutR.data()};
    double meter = 0.0;

    qortest::AllocationScope scope;
    for (int mode : {0, 1, 2})
    {
        e.setParameter(0, mode / 2.0);
        e.setParameter(3, 0.0);
        e.process(fin, fout, 8192);
        float* mono[2] = {fin[0], nullptr};
        e.process(mono, fout, 8192);
        e.processDouble(dinp, dout, 8192);
        e.processBypassed(fin, fout, 8192);
        e.processDoubleBypassed(dinp, dout, 8192);
        e.receiveMessage(message.data(), int32_t(message.size()));
        e.getParameter(13, &meter);
        e.setSampleRate(mode == 1 ? 96000.0 : 48000.0);
        e.reset();
    }
    EXPECT_EQ(scope.allocations(), 0u);
}

TEST(RealTimeSafety, NonFiniteAndDenormalInputNeverGivesNonFiniteOutput)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float denormal = std::numeric_limits<float>::denorm_min();
    std::vector<float> in = sine(44100, 44100.0, 0.5);
    for (size_t i = 0; i < in.size(); i += 97)
        in[i] = (i / 97) % 4 == 0 ? nan : (i / 97) % 4 == 1 ? inf : (i / 97) % 4 == 2 ? -inf : denormal;
    in[5000] = std::numeric_limits<float>::max();
    in[5001] = -std::numeric_limits<float>::max();
    for (double mode : {0.5, 1.0})
    {
        vellaCorEffect e;
        e.setParameter(0, mode);
        e.setParameter(5, 1.0);
        e.setParameter(6, 1.0);
        const auto mono = render(e, in, {});
        const auto stereo = render(e, in, in);
        EXPECT_TRUE(allFinite(mono.left));
        EXPECT_TRUE(allFinite(stereo.left));
        EXPECT_TRUE(allFinite(stereo.right));
        // ...and it keeps compressing afterwards rather than being stuck.
        const auto after = render(e, sine(44100, 44100.0, 0.5), {});
        EXPECT_TRUE(allFinite(after.left));
        double meter = -1.0;
        e.getParameter(13, &meter);
        EXPECT_GT(meter, 0.1);
        EXPECT_LT(meter, 1.0);
    }
}

TEST(RealTimeSafety, NaNSampleIsProcessedAsSilence)
{
    auto in = sine(4096, 44100.0, 0.5);
    auto zeroed = in;
    for (size_t i = 100; i < in.size(); i += 300)
    {
        in[i] = std::numeric_limits<float>::quiet_NaN();
        zeroed[i] = 0.0f;
    }
    vellaCorEffect a, b;
    EXPECT_EQ(render(a, in, {}).left, render(b, zeroed, {}).left);
}

TEST(RealTimeSafety, OutputDoesNotDependOnBlockSize)
{
    const auto left = drums(30000, 44100.0, 7);
    const auto right = drums(30000, 44100.0, 8);
    vellaCorEffect reference;
    reference.setParameter(3, 0.0);
    const auto expected = render(reference, left, right, 30000);
    for (int block : {1, 2, 3, 31, 64, 511, 512, 1000, 4096})
    {
        vellaCorEffect e;
        e.setParameter(3, 0.0);
        const auto out = render(e, left, right, block);
        EXPECT_EQ(out.left, expected.left) << block;
        EXPECT_EQ(out.right, expected.right) << block;
    }
}
