#pragma once

#include <cstdint>
#include <string>

namespace qortk
{

// A key press or release. Printable input arrives as UTF-8 text; keys without text as a
// virtual code.
struct KeyEvent
{
    enum Virtual
    {
        kNone,
        kReturn,
        kEscape,
        kBackspace,
        kDelete,
        kLeft,
        kRight,
        kHome,
        kEnd,
        kTab,
        kShiftKey,
        kControlKey,
        kAltKey,
    };

    Virtual key = kNone;
    std::string text;       // UTF-8, empty for keys without text
    uint32_t modifiers = 0; // ButtonFlags modifier bits held with the key
};

} // namespace qortk
