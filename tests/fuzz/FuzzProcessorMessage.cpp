// The processor's message receiver on arbitrary bytes (the sender never passes more than 1024,
// but the receiver must not rely on it); a block processed afterwards stays finite.
#include "vellaCor/vellaCorEffect.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static vellaCorEffect* effect = new vellaCorEffect;
    if (size > 0x7FFFFFFF)
        return 0;
    effect->receiveMessage(data, static_cast<int32_t>(size));
    float left[32], right[32], outLeft[32], outRight[32];
    for (int i = 0; i < 32; ++i)
        left[i] = right[i] = 0.5f * std::sin(0.3f * static_cast<float>(i));
    float* in[2] = {left, right};
    float* out[2] = {outLeft, outRight};
    effect->process(in, out, 32);
    for (int i = 0; i < 32; ++i)
        if (!std::isfinite(outLeft[i]) || !std::isfinite(outRight[i]))
            std::abort();
    return 0;
}
