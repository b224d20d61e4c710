#include "tools/EditorInputFile.h"

#include "tools/AudioReader.h"
#include "tools/CliError.h"

#include <algorithm>

EditorInput readEditorInput(const std::string& path, double maxSeconds)
{
    AudioReader reader(path);
    const int channels = reader.channels();
    if (channels < 1 || channels > 2)
        throw CliError("'" + path + "' has " + std::to_string(channels) + " channels; use a mono or stereo file");
    if (reader.sampleRate() < 22050 || reader.sampleRate() > 192000)
        throw CliError("'" + path + "' has a sample rate of " + std::to_string(reader.sampleRate()) +
                       " Hz; use 22050 to 192000 Hz");

    EditorInput input;
    input.sampleRate = reader.sampleRate();
    input.channels.assign(size_t(channels), {});
    const size_t limit = size_t(maxSeconds * reader.sampleRate());
    constexpr size_t kBlock = 4096;
    std::vector<float> block(kBlock * size_t(channels));
    size_t frames = 0;
    while (frames < limit)
    {
        const size_t n = reader.read(block.data(), std::min(kBlock, limit - frames));
        if (n == 0)
            break;
        for (size_t i = 0; i < n; ++i)
            for (int c = 0; c < channels; ++c)
                input.channels[size_t(c)].push_back(block[i * size_t(channels) + size_t(c)]);
        frames += n;
    }
    if (frames < limit)
        reader.checkComplete(); // a damaged file is refused, not looped
    else
        input.cut = reader.read(block.data(), 1) > 0;
    return input;
}
