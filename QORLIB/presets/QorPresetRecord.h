#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The unit of setups, the program bank, the undo ring and the clipboard.
struct QorPresetRecord
{
    static constexpr int kNameSize = 24;
    static constexpr int kNumValues = 12; // parameter indices 0..11

    char name[kNameSize] = {};
    float values[kNumValues] = {};

    // Name length rule: at most 23 bytes are kept, the rest of the field is zero. A cut never
    // leaves half of a UTF-8 character behind.
    void setName(const char* text)
    {
        std::memset(name, 0, sizeof name);
        if (text != nullptr)
            std::memcpy(name, text, cutLength(text, strnlen(text, kNameSize)));
    }
    // The same rule for a name field of outside bytes that need not hold a NUL.
    void setNameBytes(const uint8_t* bytes)
    {
        const char* text = reinterpret_cast<const char*>(bytes);
        std::memset(name, 0, sizeof name);
        std::memcpy(name, text, cutLength(text, strnlen(text, kNameSize)));
    }
    // Bytes kept of a text of length n (up to kNameSize looked at).
    static std::size_t cutLength(const char* text, std::size_t n)
    {
        if (n < kNameSize)
            return n;
        std::size_t keep = kNameSize - 1;
        // text[keep] is the first byte dropped; while it continues a character, drop its start too.
        while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xc0) == 0x80)
            --keep;
        return keep;
    }
    bool sameName(const QorPresetRecord& other) const { return std::strncmp(name, other.name, kNameSize) == 0; }
    bool sameValues(const QorPresetRecord& other) const
    {
        return std::memcmp(values, other.values, sizeof values) == 0;
    }
};
