#include "tools/AudioReader.h"

#include "QORLIB/platform/QorRegularFile.h"
#include "tools/CliError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

struct AudioReader::Memory
{
    const unsigned char* data;
    sf_count_t size, pos = 0;
};

namespace
{
using Memory = AudioReader::Memory;
sf_count_t memoryLength(void* m) { return static_cast<Memory*>(m)->size; }
sf_count_t memoryTell(void* m) { return static_cast<Memory*>(m)->pos; }

sf_count_t memorySeek(sf_count_t offset, int whence, void* m)
{
    auto* mem = static_cast<Memory*>(m);
    const sf_count_t base = whence == SEEK_CUR ? mem->pos : whence == SEEK_END ? mem->size : 0;
    if (offset < -base || offset > mem->size - base)
        return -1;
    mem->pos = base + offset;
    return mem->pos;
}

sf_count_t memoryRead(void* to, sf_count_t count, void* m)
{
    auto* mem = static_cast<Memory*>(m);
    const sf_count_t n = std::max<sf_count_t>(0, std::min(count, mem->size - mem->pos));
    if (n > 0)
        std::memcpy(to, mem->data + mem->pos, std::size_t(n));
    mem->pos += n;
    return n;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*) { return 0; }
} // namespace

AudioReader::AudioReader(const std::string& path) : path_(path)
{
    QorRegularFile::Status status = QorRegularFile::Status::Ok;
    fd_ = QorRegularFile::openForReading(path, status);
    if (fd_ < 0)
        throw CliError("cannot read '" + path + "': " + QorRegularFile::describe(status, errno));
    // The descriptor stays ours (SF_FALSE), so it is closed exactly once whatever libsndfile does.
    check(sf_open_fd(fd_, SFM_READ, &info_, SF_FALSE));
}

AudioReader::AudioReader(const std::string& name, const void* data, std::size_t size)
    : memory_(std::make_unique<Memory>(Memory{static_cast<const unsigned char*>(data), sf_count_t(size)})),
      path_(name)
{
    static SF_VIRTUAL_IO io = {memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    check(sf_open_virtual(&io, SFM_READ, &info_, memory_.get()));
}

// Takes the opened file or, when it cannot be processed, releases everything and throws (no
// destructor runs for a constructor that throws).
void AudioReader::check(SNDFILE* file)
{
    std::string problem;
    if (file == nullptr)
        problem = "cannot read '" + path_ + "': " + sf_strerror(nullptr);
    else if (info_.channels < 1 || info_.channels > 2)
        problem = "'" + path_ + "' has " + std::to_string(info_.channels) +
                  " channels; only mono and stereo files can be processed";
    if (problem.empty())
    {
        file_ = file;
        return;
    }
    if (file != nullptr)
        sf_close(file);
    if (fd_ >= 0)
        ::close(fd_);
    throw CliError(problem);
}

AudioReader::~AudioReader()
{
    sf_close(file_);
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t AudioReader::read(float* interleaved, std::size_t frames)
{
    const sf_count_t got = sf_readf_float(file_, interleaved, sf_count_t(frames));
    if (got < 0 || (got == 0 && sf_error(file_) != SF_ERR_NO_ERROR))
        throw CliError("cannot read the samples of '" + path_ + "': " + sf_strerror(file_) + " (damaged file)");
    framesRead_ += std::size_t(got);
    return std::size_t(got);
}

std::size_t AudioReader::declaredFrames() const
{
    return info_.frames > 0 && info_.frames != SF_COUNT_MAX ? std::size_t(info_.frames) : 0;
}

void AudioReader::checkComplete() const
{
    if (framesRead_ == 0)
        throw CliError("'" + path_ + "' holds no audio (damaged or empty)");
    // A length of 0 or SF_COUNT_MAX means the header leaves it open, which FLAC allows.
    const std::size_t declared = declaredFrames();
    if (framesRead_ < declared)
        throw CliError("'" + path_ + "' ends after " + std::to_string(framesRead_) + " of the " +
                       std::to_string(declared) + " frames its header declares (damaged file)");
}
