#pragma once

#include <string>
#include <vector>

// Audio as the command-line program handles it: planar float channels and the file's own
// format word (container and sample type), so that an output can be written like its input.
struct AudioData
{
    int sampleRate = 48000;
    int format = 0; // libsndfile format word
    std::vector<std::vector<float>> channels;

    size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Reads any file libsndfile reads; throws CliError naming the file and the problem.
AudioData readAudioFile(const std::string& path);

// Writes to a temporary file beside path and renames it over path only when complete, so a
// failed write never leaves a partial file or damages an existing one. Throws CliError.
void writeAudioFileAtomically(const std::string& path, const AudioData& audio);

// True when both names lead to the same file (or the same path, for files not yet there).
bool sameFile(const std::string& a, const std::string& b);
