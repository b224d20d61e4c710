#include "tools/EditorInputFile.h"

#include "tools/CliError.h"

#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace
{
struct SndfileCloser
{
    void operator()(SNDFILE* f) const { sf_close(f); }
};
} // namespace

EditorInput readEditorInput(const std::string& path, double maxSeconds)
{
    // Opened without blocking and checked before reading: a FIFO or a device must not hang us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw CliError("cannot open '" + path + "'");
    struct stat st{};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        throw CliError("'" + path + "' is not a regular file");
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open_fd(fd, SFM_READ, &info, SF_TRUE));
    if (!file)
        throw CliError("cannot read '" + path + "': " + sf_strerror(nullptr));
    if (info.channels < 1 || info.channels > 2)
        throw CliError("'" + path + "' has " + std::to_string(info.channels) + " channels; use a mono or stereo file");
    if (info.samplerate < 22050 || info.samplerate > 192000)
        throw CliError("'" + path + "' has a sample rate of " + std::to_string(info.samplerate) +
                       " Hz; use 22050 to 192000 Hz");

    EditorInput input;
    input.sampleRate = info.samplerate;
    input.channels.assign(size_t(info.channels), {});
    const size_t limit = size_t(maxSeconds * info.samplerate);
    constexpr sf_count_t kBlock = 4096;
    std::vector<float> block(size_t(kBlock) * size_t(info.channels));
    size_t frames = 0;
    while (frames < limit)
    {
        const sf_count_t n = sf_readf_float(file.get(), block.data(), kBlock);
        if (n <= 0)
            break;
        for (sf_count_t i = 0; i < n && frames < limit; ++i, ++frames)
            for (int c = 0; c < info.channels; ++c)
                input.channels[size_t(c)].push_back(block[size_t(i) * size_t(info.channels) + size_t(c)]);
    }
    if (frames == 0)
        throw CliError("'" + path + "' holds no audio");
    input.cut = frames >= limit && sf_readf_float(file.get(), block.data(), 1) > 0;
    return input;
}
