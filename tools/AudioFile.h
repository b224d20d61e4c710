#pragma once

#include <string>
#include <vector>

// Audio as the command-line program holds it in memory: planar float channels and the file's own
// format word (container and sample type), so that an output can be written like its input.
struct AudioData
{
    int sampleRate = 48000;
    int format = 0; // libsndfile format word
    std::vector<std::vector<float>> channels;

    size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Reads any complete file libsndfile reads, growing with the frames actually decoded; throws
// CliError naming the file and the problem.
AudioData readAudioFile(const std::string& path);

// Replaces path only once the whole file is written, so a failed write never leaves a partial file
// or damages an existing one. Throws CliError.
void writeAudioFileAtomically(const std::string& path, const AudioData& audio);
