#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whole-file reads and writes. A write goes to a temporary file in the same folder, which is
// renamed over the target only when complete (see QorPendingFile): a reader (in any process)
// sees the old bytes or the new ones, and a failed write leaves the old file as it was. Reads
// open regular files only, so a FIFO in its place never blocks the caller.
class QorAtomicFile
{
public:
    // False with errorText set when the file could not be replaced.
    static bool write(const std::string& path, const void* data, std::size_t size,
                      std::string& errorText);

    struct Item
    {
        std::string path;
        std::vector<uint8_t> bytes;
    };
    // Files that belong together: all are replaced, or (on failure) none.
    static bool writeSet(const std::vector<Item>& files, std::string& errorText);

    enum class ReadStatus
    {
        Ok,
        NotFound, // missing, or not a regular file
        Error,
        TooLarge, // longer than the limit; out is left untouched
    };
    static ReadStatus read(const std::string& path, std::vector<uint8_t>& out, std::size_t limit);
};
