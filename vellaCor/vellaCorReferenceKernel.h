#pragma once

#include <cstdint>

class vellaCorEffect;

// The straightforward per-sample kernels, one sample at a time in the order the compressor is
// defined: the yardstick that the fast kernel is checked against. Runs on the processing thread.
class vellaCorReferenceKernel
{
public:
    template <typename Sample>
    static void runMono(vellaCorEffect& e, const Sample* in, Sample* outL, Sample* outR, int32_t n,
                        int32_t attackSteps);
    template <typename Sample>
    static void runStereo(vellaCorEffect& e, const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                          int32_t n, int32_t attackSteps);

private:
    static void smoothGains(vellaCorEffect& e);
    static double opticalGain(vellaCorEffect& e, double detector, int32_t attackSteps);
};
