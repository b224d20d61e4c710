#pragma once

#include "tests/support/TempDir.h"
#include "tests/tools/ChildProgram.h"
#include "tools/AudioFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace qortest
{

inline std::vector<std::vector<float>> testSignal(size_t frames, size_t channels, double rate)
{
    std::vector<std::vector<float>> s(channels, std::vector<float>(frames));
    for (size_t c = 0; c < channels; ++c)
        for (size_t i = 0; i < frames; ++i)
            s[c][i] = float((0.5 + 0.2 * double(c)) * std::sin(2.0 * M_PI * (200.0 + 100.0 * double(c)) * double(i) / rate) *
                            (0.5 + 0.5 * std::sin(2.0 * M_PI * 2.0 * double(i) / rate)));
    return s;
}

inline std::string writeInput(const TempDir& dir, const std::string& name, int format, int rate, size_t channels,
                              size_t frames = 24000)
{
    AudioData audio;
    audio.sampleRate = rate;
    audio.format = format;
    audio.channels = testSignal(frames, channels, rate);
    const std::string path = (dir.path() / name).string();
    writeAudioFileAtomically(path, audio);
    return path;
}

inline std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Every entry of a folder tree (links and special files by kind, regular files by content), to
// show that a run changed nothing it should not and left no temporary file behind.
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& root)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root))
    {
        const std::string name = e.path().lexically_relative(root).string();
        if (e.is_symlink())
            entries[name] = "link to " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file())
            entries[name] = fileText(e.path().string());
        else
            entries[name] = e.is_directory() ? "folder" : "special";
    }
    return entries;
}

// The names that differ between two snapshots (added, removed or changed), for short messages.
inline std::string changedEntries(const std::map<std::string, std::string>& before,
                                  const std::map<std::string, std::string>& after)
{
    std::string changed;
    for (const auto& [name, content] : after)
        if (auto it = before.find(name); it == before.end() || it->second != content)
            changed += (it == before.end() ? "added " : "changed ") + name + "; ";
    for (const auto& [name, content] : before)
        if (after.count(name) == 0)
            changed += "removed " + name + "; ";
    return changed;
}

inline std::string changedSince(const std::map<std::string, std::string>& before, const std::filesystem::path& root)
{
    return changedEntries(before, snapshot(root));
}

inline ChildResult qor(std::vector<std::string> args, const ChildLimits& limits = {},
                       const std::vector<std::pair<std::string, std::string>>& environment = {})
{
    args.insert(args.begin(), QOR_VELLACOR_PROGRAM);
    return runChild(args, environment, limits);
}

} // namespace qortest
