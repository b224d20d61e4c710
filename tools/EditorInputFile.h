#pragma once

#include <string>
#include <vector>

// Audio that the editor plays in a loop: one or two planar channels, read block by block so
// that memory follows what the file really holds, up to a limit, never what its header claims.
struct EditorInput
{
    std::vector<std::vector<float>> channels;
    double sampleRate = 48000.0;
    bool cut = false; // longer than the limit: only its start is kept
};

// Throws CliError naming the file and the problem (not a regular file, unreadable, more than
// two channels, no audio, a rate outside 22050..192000 Hz).
EditorInput readEditorInput(const std::string& path, double maxSeconds = 600.0);
