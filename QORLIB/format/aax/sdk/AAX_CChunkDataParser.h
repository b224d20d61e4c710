#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

#include <string>
#include <vector>

struct AAX_SPlugInChunk;

// Named values in a chunk's data, as the SDK stores the controls chunk. Little-endian:
//   u32 format version (1), u32 entry count, then per entry:
//   u8 type (1 = 64-bit float), u8 name length L (1..31), L name bytes, 8 value bytes.
// Main thread.
class AAX_CChunkDataParser
{
public:
    static constexpr int32_t kChunkVersion = 1;
    static constexpr std::size_t kMaxNameLength = 31;

    void Clear() { entries_.clear(); }
    // Names longer than 31 characters are cut; an empty name is ignored.
    void AddDouble(const char* name, double value);
    bool FindDouble(const char* name, double* value) const;
    std::size_t EntryCount() const { return entries_.size(); }

    int32_t GetChunkVersion() const { return kChunkVersion; }
    int32_t GetChunkDataSize() const;
    // Writes the data into the chunk's fData when it fits in fSize bytes; otherwise traces
    // "aborting: chunk data will overflow buffer", writes nothing and answers false.
    bool WriteChunkData(AAX_SPlugInChunk* chunk) const;
    // Replaces the entries with the chunk's. A short, foreign or inconsistent chunk leaves the
    // parser empty and answers -20008.
    AAX_Result LoadChunkData(const AAX_SPlugInChunk* chunk);

private:
    struct Entry
    {
        std::string name;
        double value;
    };
    std::vector<Entry> entries_;
};
