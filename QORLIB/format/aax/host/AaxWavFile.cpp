#include "QORLIB/format/aax/host/AaxWavFile.h"

#include "QORLIB/platform/QorRegularFile.h"

#include <sndfile.h>

#include <cerrno>
#include <algorithm>
#include <memory>
#include <unistd.h>

namespace
{
constexpr sf_count_t kChunkFrames = 8192;

struct SndfileCloser
{
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using Sndfile = std::unique_ptr<SNDFILE, SndfileCloser>;

struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};
} // namespace

bool readAaxAudio(const std::string& path, AaxAudio& audio, std::string& error)
{
    QorRegularFile::Status status = QorRegularFile::Status::Ok;
    const Descriptor fd{QorRegularFile::openForReading(path, status)};
    if (fd.fd < 0)
    {
        error = "cannot read " + path + ": " + QorRegularFile::describe(status, errno);
        return false;
    }
    SF_INFO info{};
    const Sndfile file(sf_open_fd(fd.fd, SFM_READ, &info, SF_FALSE));
    if (file == nullptr)
    {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.channels > 2)
    {
        error = path + ": unsupported channel count";
        return false;
    }
    const auto channels = std::size_t(info.channels);
    audio.channels = info.channels;
    audio.sampleRate = info.samplerate;
    audio.samples.assign(channels, {});
    std::vector<float> chunk(std::size_t(kChunkFrames) * channels);
    sf_count_t total = 0;
    while (true)
    {
        const sf_count_t got = sf_readf_float(file.get(), chunk.data(), kChunkFrames);
        if (got <= 0)
            break;
        total += got;
        for (std::size_t ch = 0; ch < channels; ++ch)
            for (sf_count_t i = 0; i < got; ++i)
                audio.samples[ch].push_back(chunk[std::size_t(i) * channels + ch]);
    }
    // 0 or SF_COUNT_MAX: the header leaves the length open, which FLAC allows.
    const bool declared = info.frames > 0 && info.frames != SF_COUNT_MAX;
    if (total == 0 || (declared && total < info.frames))
    {
        error = path + ": the file ends after " + std::to_string(total) + " frames" +
                (declared ? " of " + std::to_string(info.frames) + " declared" : "") + " (damaged or empty)";
        return false;
    }
    return true;
}

bool stageAaxAudio(QorPendingFile& file, const std::string& path, const AaxAudio& audio, std::string& error)
{
    if (!file.begin(path, error))
    {
        error = "cannot write " + path + ": " + error;
        return false;
    }
    SF_INFO info{};
    info.channels = audio.channels;
    info.samplerate = audio.sampleRate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    Sndfile out(sf_open_fd(file.fd(), SFM_WRITE, &info, SF_FALSE));
    if (out == nullptr)
    {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    const std::size_t frames = audio.samples.empty() ? 0 : audio.samples[0].size();
    std::vector<float> interleaved(std::size_t(kChunkFrames) * std::size_t(audio.channels));
    for (std::size_t pos = 0; pos < frames; pos += std::size_t(kChunkFrames))
    {
        const std::size_t n = std::min(frames - pos, std::size_t(kChunkFrames));
        for (std::size_t i = 0; i < n; ++i)
            for (int ch = 0; ch < audio.channels; ++ch)
                interleaved[i * std::size_t(audio.channels) + std::size_t(ch)] = audio.samples[std::size_t(ch)][pos + i];
        if (sf_writef_float(out.get(), interleaved.data(), sf_count_t(n)) != sf_count_t(n))
        {
            error = "cannot write " + path + ": " + sf_strerror(out.get());
            return false;
        }
    }
    if (sf_close(out.release()) != 0 || !file.finish(error))
    {
        error = "cannot write " + path + ": " + (error.empty() ? "the file could not be completed" : error);
        return false;
    }
    return true;
}
