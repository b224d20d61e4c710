#include "tools/AudioFile.h"

#include "tools/AudioReader.h"
#include "tools/AudioWriter.h"
#include "tools/OutputFiles.h"

namespace
{
constexpr std::size_t kChunkFrames = 8192;
}

AudioData readAudioFile(const std::string& path)
{
    AudioReader reader(path);
    AudioData audio;
    audio.sampleRate = reader.sampleRate();
    audio.format = reader.format();
    const auto channels = std::size_t(reader.channels());
    audio.channels.resize(channels);
    std::vector<float> chunk(kChunkFrames * channels);
    while (const std::size_t got = reader.read(chunk.data(), kChunkFrames))
        for (std::size_t c = 0; c < channels; ++c)
            for (std::size_t i = 0; i < got; ++i)
                audio.channels[c].push_back(chunk[i * channels + c]);
    reader.checkComplete();
    return audio;
}

void writeAudioFileAtomically(const std::string& path, const AudioData& audio)
{
    OutputFiles outputs;
    const std::size_t frames = audio.frames(), channels = audio.channels.size();
    {
        AudioWriter writer(outputs.begin(path), path, audio.format, audio.sampleRate, int(channels));
        std::vector<float> interleaved(frames * channels);
        for (std::size_t i = 0; i < frames; ++i)
            for (std::size_t c = 0; c < channels; ++c)
                interleaved[i * channels + c] = audio.channels[c][i];
        writer.write(interleaved.data(), frames);
        writer.close();
    }
    outputs.commit();
}
