#pragma once

#include <cstdint>
#include <string>

// One preset of a directory column: a factory preset or a user file.
struct QorPresetEntry
{
    int32_t factoryIndex = -1; // factory preset number, -1 for a user file
    std::string fileName;      // user file name without ".qor"; empty for factory entries
    int32_t folderColumn = -1; // user files: 0 main folder, k > 0 sub-folder column k
};
