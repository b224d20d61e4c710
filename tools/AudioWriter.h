#pragma once

#include "QORLIB/platform/QorPendingFile.h"

#include <sndfile.h>

#include <cstddef>
#include <string>

// An audio file written as a stream into a QorPendingFile: nothing replaces the target until the
// caller commits the pending file. Throws CliError naming the file.
class AudioWriter
{
public:
    AudioWriter(QorPendingFile& file, const std::string& path, int format, int sampleRate, int channels);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    void write(const float* interleaved, std::size_t frames);
    // Completes the header and flushes everything to the disk.
    void close();

private:
    QorPendingFile& file_;
    std::string path_;
    SNDFILE* sndfile_ = nullptr;
};
