#include "tools/AudioWriter.h"

#include "tools/CliError.h"

AudioWriter::AudioWriter(QorPendingFile& file, const std::string& path, int format, int sampleRate, int channels)
    : file_(file), path_(path)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    sndfile_ = sf_open_fd(file.fd(), SFM_WRITE, &info, SF_FALSE);
    if (sndfile_ == nullptr)
        throw CliError("cannot write '" + path + "': " + sf_strerror(nullptr));
    sf_command(sndfile_, SFC_SET_CLIPPING, nullptr, SF_TRUE); // integer files clip instead of wrapping
}

AudioWriter::~AudioWriter()
{
    if (sndfile_ != nullptr)
        sf_close(sndfile_);
}

void AudioWriter::write(const float* interleaved, std::size_t frames)
{
    if (sf_writef_float(sndfile_, interleaved, sf_count_t(frames)) != sf_count_t(frames))
        throw CliError("cannot write '" + path_ + "': " + sf_strerror(sndfile_));
}

void AudioWriter::close()
{
    const int closed = sf_close(sndfile_);
    sndfile_ = nullptr;
    std::string error;
    if (closed != 0)
        throw CliError("cannot write '" + path_ + "': the file could not be completed");
    if (!file_.finish(error))
        throw CliError("cannot write '" + path_ + "': " + error);
}
