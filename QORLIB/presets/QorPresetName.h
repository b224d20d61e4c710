#pragma once

#include <cstddef>
#include <string>

// A preset name typed by the user, checked before it becomes a file name and a record's name.
// Presets travel between systems, so a name must make a valid file name everywhere.
class QorPresetName
{
public:
    enum class Problem
    {
        None,
        Empty,         // nothing, or only blanks
        LeadingDot,    // a hidden file on Unix-like systems
        TrailingDot,   // dropped silently by Windows
        Forbidden,     // one of  / \ : * ? < > | "  or a control character
        Reserved,      // CON, PRN, AUX, NUL, COM1..9, LPT1..9
        NotUtf8,
    };

    struct Checked
    {
        std::string name;     // trimmed, ".qor" endings removed, cut to the record's length
        Problem problem = Problem::None;
        std::string offending; // the refused character, for Forbidden
        bool cut = false;      // the name was longer than a record holds
    };

    static constexpr std::size_t kMaxBytes = 23; // a record's name field less its NUL

    static Checked check(const std::string& typed);
    // The sentence the editor shows for a refused name; empty for None.
    static std::string problemText(const Checked& checked);
    // The first maxBytes bytes of a UTF-8 text, ending before a character that would not fit
    // whole.
    static std::string cutUtf8(const std::string& text, std::size_t maxBytes = kMaxBytes);
};
