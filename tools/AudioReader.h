#pragma once

#include <sndfile.h>

#include <cstddef>
#include <memory>
#include <string>

// An audio file read as a stream, block by block: memory depends on the block asked for, never on
// the length a header claims. Opens regular files only (a FIFO or device is refused, not waited
// for). Every failure throws CliError naming the file.
class AudioReader
{
public:
    explicit AudioReader(const std::string& path);
    // The bytes of a file held in memory (kept by the caller while the reader lives); name is
    // only for messages.
    AudioReader(const std::string& name, const void* data, std::size_t size);
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    int channels() const { return info_.channels; }
    int sampleRate() const { return info_.samplerate; }
    int format() const { return info_.format; }
    // What the header claims, 0 when it leaves the length open; only a hint.
    std::size_t declaredFrames() const;

    // Up to frames interleaved frames; fewer only at the end of the file.
    std::size_t read(float* interleaved, std::size_t frames);
    // Throws when the file held no frames or fewer than its header declares (a damaged file).
    void checkComplete() const;

    struct Memory; // the read position in bytes held in memory

private:
    void check(SNDFILE* file);

    std::unique_ptr<Memory> memory_;
    std::string path_;
    int fd_ = -1;
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
    std::size_t framesRead_ = 0;
};
