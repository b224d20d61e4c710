#include "tools/AudioFile.h"

#include "tools/CliError.h"

#include <sndfile.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

AudioData readAudioFile(const std::string& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        throw CliError("cannot read '" + path + "': no such file");
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw CliError("cannot read '" + path + "': " + sf_strerror(nullptr));
    if (info.channels < 1 || info.channels > 2)
    {
        sf_close(file);
        throw CliError("'" + path + "' has " + std::to_string(info.channels) +
                       " channels; only mono and stereo files can be processed");
    }
    AudioData audio;
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    std::vector<float> interleaved(size_t(info.frames) * size_t(info.channels));
    const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (got < 0)
        throw CliError("cannot read the samples of '" + path + "'");
    audio.channels.assign(size_t(info.channels), std::vector<float>(size_t(got)));
    for (sf_count_t i = 0; i < got; ++i)
        for (int c = 0; c < info.channels; ++c)
            audio.channels[size_t(c)][size_t(i)] = interleaved[size_t(i) * size_t(info.channels) + size_t(c)];
    return audio;
}

void writeAudioFileAtomically(const std::string& path, const AudioData& audio)
{
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += ".tmp-XXXXXX";
    std::string pattern = (folder / hidden).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw CliError("cannot write '" + path + "': " + std::strerror(errno));
    const std::string temporary = pattern;

    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = int(audio.channels.size());
    info.format = audio.format;
    SNDFILE* file = sf_open_fd(fd, SFM_WRITE, &info, SF_TRUE);
    if (file == nullptr)
    {
        std::remove(temporary.c_str());
        throw CliError("cannot write '" + path + "': " + sf_strerror(nullptr));
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE); // integer files clip instead of wrapping
    const size_t frames = audio.frames(), channels = audio.channels.size();
    std::vector<float> interleaved(frames * channels);
    for (size_t i = 0; i < frames; ++i)
        for (size_t c = 0; c < channels; ++c)
            interleaved[i * channels + c] = audio.channels[c][i];
    const sf_count_t written = sf_writef_float(file, interleaved.data(), sf_count_t(frames));
    const int closed = sf_close(file);
    std::error_code ec;
    if (written != sf_count_t(frames) || closed != 0)
    {
        fs::remove(temporary, ec);
        throw CliError("cannot write '" + path + "': the file could not be completed");
    }
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                   fs::perms::others_read, ec);
    fs::rename(temporary, target, ec);
    if (ec)
    {
        fs::remove(temporary);
        throw CliError("cannot write '" + path + "': " + ec.message());
    }
}

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec))
        return fs::equivalent(a, b, ec);
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}
