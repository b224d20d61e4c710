#include "QORLIB/format/aax/host/AaxWavFile.h"

#include <sndfile.h>

bool readAaxAudio(const std::string& path, AaxAudio& audio, std::string& error)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
    {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.frames < 0 || info.frames > (sf_count_t(1) << 31))
    {
        sf_close(file);
        error = path + ": unsupported channel count or length";
        return false;
    }
    std::vector<float> interleaved(std::size_t(info.frames) * std::size_t(info.channels));
    const sf_count_t read = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    audio.channels = info.channels;
    audio.sampleRate = info.samplerate;
    audio.samples.assign(std::size_t(info.channels), std::vector<float>(std::size_t(read)));
    for (sf_count_t i = 0; i < read; ++i)
        for (int ch = 0; ch < info.channels; ++ch)
            audio.samples[std::size_t(ch)][std::size_t(i)] = interleaved[std::size_t(i) * std::size_t(info.channels) + std::size_t(ch)];
    return true;
}

bool writeAaxAudio(const std::string& path, const AaxAudio& audio, std::string& error)
{
    SF_INFO info{};
    info.channels = audio.channels;
    info.samplerate = audio.sampleRate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
    {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    const std::size_t frames = audio.samples.empty() ? 0 : audio.samples[0].size();
    std::vector<float> interleaved(frames * std::size_t(audio.channels));
    for (std::size_t i = 0; i < frames; ++i)
        for (int ch = 0; ch < audio.channels; ++ch)
            interleaved[i * std::size_t(audio.channels) + std::size_t(ch)] = audio.samples[std::size_t(ch)][i];
    const sf_count_t written = sf_writef_float(file, interleaved.data(), sf_count_t(frames));
    sf_close(file);
    if (written != sf_count_t(frames))
    {
        error = "could not write all of " + path;
        return false;
    }
    return true;
}
