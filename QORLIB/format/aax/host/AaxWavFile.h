#pragma once

#include "QORLIB/platform/QorPendingFile.h"

#include <string>
#include <vector>

// Audio files for the command, through libsndfile: read any format it knows, write 32-bit
// float WAV.
struct AaxAudio
{
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::vector<float>> samples; // per channel
};

// False, with error set, when the file cannot be read, is not a regular file, or holds fewer
// frames than its header declares (or none). Memory grows with the frames actually decoded, never
// with what the header claims.
bool readAaxAudio(const std::string& path, AaxAudio& audio, std::string& error);
// Writes the whole file into a pending replacement of path, flushed; the caller commits it.
bool stageAaxAudio(QorPendingFile& file, const std::string& path, const AaxAudio& audio, std::string& error);
