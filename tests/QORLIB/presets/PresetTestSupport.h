#pragma once

#include "QORLIB/platform/QorTick.h"
#include "QORLIB/presets/QorSetupSlot.h"
#include "tests/QORLIB/platform/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qortest
{

// A private HOME for one test, so that the user preset folder is built afresh inside it. A home
// has its "Documents" folder unless the test asks for one without.
class UserHome
{
public:
    explicit UserHome(bool withDocuments = true)
    {
        if (withDocuments)
            std::filesystem::create_directory(dir_.path() / "Documents");
    }
    std::filesystem::path presetFolder() const
    {
        return dir_.path() / "Documents" / "Qor-werk" / "User Presets" / "Qor vellaCor";
    }
    const std::filesystem::path& path() const { return dir_.path(); }

private:
    TempDir dir_{"qor-home"};
    ScopedEnv home_{"HOME", dir_.path().string()};
};

// A millisecond clock the test moves by hand.
class ManualTick
{
public:
    explicit ManualTick(uint32_t start = 100000) : now_(start)
    {
        QorTick::setSource([this] { return now_; });
    }
    ~ManualTick() { QorTick::setSource({}); }
    void advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};

// Setups compared field by field: the structure has padding that a copy need not keep.
inline bool sameSlot(const QorSetupSlot& a, const QorSetupSlot& b)
{
    return std::memcmp(&a.current, &b.current, sizeof a.current) == 0 &&
           std::memcmp(&a.reference, &b.reference, sizeof a.reference) == 0 && a.modified == b.modified;
}

// Little-endian layout helpers for assembling serialisations by hand.
inline void le32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void lef(std::vector<uint8_t>& out, float f)
{
    uint32_t v;
    std::memcpy(&v, &f, 4);
    le32(out, v);
}
inline void zeros(std::vector<uint8_t>& out, std::size_t n) { out.insert(out.end(), n, 0); }
inline void text(std::vector<uint8_t>& out, const char* s, std::size_t field)
{
    const std::size_t n = std::strlen(s);
    out.insert(out.end(), s, s + n);
    zeros(out, field - n);
}

// A header and records as a writer would lay them out; callers append what they test.
inline std::vector<uint8_t> header(uint8_t kind, uint32_t records, uint32_t area,
                                   uint32_t editorState = 0, uint32_t zoom = 100,
                                   uint32_t selected = 0)
{
    std::vector<uint8_t> b{'B', 'R', 'X', 'K', kind};
    le32(b, 0x02000100);
    le32(b, 12);
    le32(b, records);
    le32(b, selected);
    le32(b, area);
    le32(b, 13);
    le32(b, editorState);
    le32(b, zoom);
    le32(b, 0);
    return b;
}
inline void programRecord(std::vector<uint8_t>& b, uint32_t program, const char* name)
{
    le32(b, 0);
    le32(b, 156);
    le32(b, program);
    text(b, name, 24);
    zeros(b, 132);
}
inline void valueRecord(std::vector<uint8_t>& b, uint32_t program, uint32_t index, float value)
{
    le32(b, 1);
    le32(b, 20);
    le32(b, program);
    le32(b, index);
    zeros(b, 8);
    lef(b, value);
    zeros(b, 4);
}

// One program as a preset file: header, program record, values of 0 and 2..7.
inline std::vector<uint8_t> onePreset(const char* name, const float (&v)[7], uint8_t kind = 0x22)
{
    std::vector<uint8_t> b = header(kind, 8, 168 + 7 * 32);
    programRecord(b, 0, name);
    const uint32_t indices[7] = {0, 2, 3, 4, 5, 6, 7};
    for (int i = 0; i < 7; ++i)
        valueRecord(b, 0, indices[i], v[i]);
    return b;
}

// Reverses every 32-bit field of a serialisation, as a big-endian writer would lay it out:
// the header words and every record word except the 24 name bytes.
inline std::vector<uint8_t> byteSwapped(std::vector<uint8_t> b)
{
    const auto swap4 = [&](std::size_t at) { std::swap(b[at], b[at + 3]), std::swap(b[at + 1], b[at + 2]); };
    std::memcpy(b.data(), "KXRB", 4);
    for (std::size_t at = 5; at < 41; at += 4)
        swap4(at);
    std::size_t pos = 41;
    while (pos + 12 <= b.size())
    {
        const uint32_t type = b[pos] | b[pos + 1] << 8 | b[pos + 2] << 16 | uint32_t(b[pos + 3]) << 24;
        const uint32_t size = b[pos + 4] | b[pos + 5] << 8 | b[pos + 6] << 16 | uint32_t(b[pos + 7]) << 24;
        for (std::size_t at = pos; at < pos + 12; at += 4)
            swap4(at);
        if (type == 1)
            for (std::size_t at = pos + 12; at < pos + 12 + size; at += 4)
                swap4(at);
        pos += 12 + size;
    }
    return b;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}
inline std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace qortest
