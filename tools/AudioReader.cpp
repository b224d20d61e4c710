#include "tools/AudioReader.h"

#include "QORLIB/platform/QorRegularFile.h"
#include "tools/CliError.h"

#include <cerrno>
#include <unistd.h>

AudioReader::AudioReader(const std::string& path) : path_(path)
{
    QorRegularFile::Status status = QorRegularFile::Status::Ok;
    fd_ = QorRegularFile::openForReading(path, status);
    if (fd_ < 0)
        throw CliError("cannot read '" + path + "': " + QorRegularFile::describe(status, errno));
    // The descriptor stays ours (SF_FALSE), so it is closed exactly once whatever libsndfile does.
    file_ = sf_open_fd(fd_, SFM_READ, &info_, SF_FALSE);
    if (file_ == nullptr)
    {
        const std::string why = sf_strerror(nullptr);
        ::close(fd_);
        throw CliError("cannot read '" + path + "': " + why);
    }
    if (info_.channels < 1 || info_.channels > 2)
    {
        const int channels = info_.channels;
        sf_close(file_);
        ::close(fd_);
        throw CliError("'" + path + "' has " + std::to_string(channels) +
                       " channels; only mono and stereo files can be processed");
    }
}

AudioReader::~AudioReader()
{
    sf_close(file_);
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
