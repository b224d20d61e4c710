#pragma once

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

// False, with error set, when the file cannot be read.
bool readAaxAudio(const std::string& path, AaxAudio& audio, std::string& error);
bool writeAaxAudio(const std::string& path, const AaxAudio& audio, std::string& error);
