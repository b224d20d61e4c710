#include "QORLIB/presets/QorPresetName.h"

#include "QORLIB/presets/QorUserPresetFolder.h"

#include <cctype>
#include <cstring>

namespace
{
bool isContinuation(unsigned char c) { return (c & 0xc0) == 0x80; }

// Length of the UTF-8 sequence at s[i], or 0 when it is malformed.
std::size_t sequenceLength(const std::string& s, std::size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c & 0xe0) == 0xc0 ? 2 : (c & 0xf0) == 0xe0 ? 3 : (c & 0xf8) == 0xf0 ? 4 : 0;
    if (n == 0 || (n == 2 && c < 0xc2) || i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if (!isContinuation(static_cast<unsigned char>(s[i + k])))
            return 0;
    return n;
}

bool isReserved(const std::string& name)
{
    // Windows refuses these as file names, with or without an extension.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* n : kNames)
        if (base == n)
            return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

void trim(std::string& s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
    {
        s.clear();
        return;
    }
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);
}
} // namespace

std::string QorPresetName::cutUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && isContinuation(static_cast<unsigned char>(text[end])))
        --end;
    return text.substr(0, end);
}

QorPresetName::Checked QorPresetName::check(const std::string& typed)
{
    Checked out;
    std::string name = typed;
    trim(name);
    // "Kick.qor" names the file Kick.qor, not Kick.qor.qor.
    const std::string withExtension = QorUserPresetFolder::withSingleExtension(name);
    name = withExtension.substr(0, withExtension.size() - std::strlen(QorUserPresetFolder::kExtension));
    trim(name);
    for (std::size_t i = 0; i < name.size();)
    {
        const std::size_t n = sequenceLength(name, i);
        if (n == 0)
        {
            out.problem = Problem::NotUtf8;
            return out;
        }
        const auto c = static_cast<unsigned char>(name[i]);
        if (n == 1 && (c < 0x20 || c == 0x7f || std::strchr("/\\:*?<>|\"", c) != nullptr))
        {
            out.problem = Problem::Forbidden;
            out.offending = c < 0x20 || c == 0x7f ? std::string("a control character") : std::string(1, char(c));
            return out;
        }
        i += n;
    }
    if (name.empty())
        out.problem = Problem::Empty;
    else if (name.front() == '.')
        out.problem = Problem::LeadingDot;
    else if (isReserved(name))
        out.problem = Problem::Reserved;
    if (out.problem != Problem::None)
        return out;
    const std::string cut = cutUtf8(name);
    out.cut = cut.size() != name.size();
    out.name = cut;
    // A cut can leave blanks or a dot at the end.
    trim(out.name);
    if (out.name.back() == '.')
        out.problem = Problem::TrailingDot;
    return out;
}

std::string QorPresetName::problemText(const Checked& checked)
{
    switch (checked.problem)
    {
    case Problem::None:
        return {};
    case Problem::Empty:
        return "Type a name first";
    case Problem::LeadingDot:
        return "A name cannot start with a dot";
    case Problem::TrailingDot:
        return "A name cannot end with a dot";
    case Problem::Forbidden:
        if (checked.offending.size() == 1)
            return "A name cannot contain \xe2\x80\x9c" + checked.offending + "\xe2\x80\x9d";
        return "A name cannot contain " + checked.offending;
    case Problem::Reserved:
        return "Windows keeps this name for a device";
    case Problem::NotUtf8:
        return "The name is not valid text";
    }
    return {};
}
