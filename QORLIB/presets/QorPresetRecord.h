#pragma once

#include <cstdint>
#include <cstring>

// The unit of setups, the program bank, the undo ring and the clipboard.
struct QorPresetRecord
{
    static constexpr int kNameSize = 24;
    static constexpr int kNumValues = 12; // parameter indices 0..11

    char name[kNameSize] = {};
    float values[kNumValues] = {};

    // Name length rule: at most 23 characters are kept, the rest of the field is zero.
    void setName(const char* text)
    {
        std::memset(name, 0, sizeof name);
        if (text != nullptr)
            std::memcpy(name, text, strnlen(text, kNameSize - 1));
    }
    // The same rule for a name field of outside bytes that need not hold a NUL.
    void setNameBytes(const uint8_t* bytes)
    {
        std::memset(name, 0, sizeof name);
        std::memcpy(name, bytes, strnlen(reinterpret_cast<const char*>(bytes), kNameSize - 1));
    }
    bool sameValues(const QorPresetRecord& other) const
    {
        return std::memcmp(values, other.values, sizeof values) == 0;
    }
};
