// The audio reading of qor-vellacor on arbitrary bytes, through libsndfile's decoders: no read
// beyond the bytes, every block within what was asked for, every handle released
// (a failure may only be a CliError).
#include "tools/AudioReader.h"
#include "tools/CliError.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr std::size_t kBlock = 256;
    try
    {
        AudioReader reader("fuzz", data, size);
        if (reader.channels() < 1 || reader.channels() > 2)
            std::abort();
        std::vector<float> block(kBlock * std::size_t(reader.channels()));
        std::size_t total = 0;
        while (const std::size_t n = reader.read(block.data(), kBlock))
        {
            if (n > kBlock)
                std::abort();
            total += n;
            if (total > (std::size_t(1) << 24)) // a few KB of FLAC can describe far more; enough here
                break;
        }
        reader.checkComplete();
    }
    catch (const CliError&)
    {
    }
    return 0;
}
