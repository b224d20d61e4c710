#include "QORLIB/gui/presetbar/PresetBarTextFit.h"

#include "vellaCor/vellaCorParameters.h"

#include <cstring>

int PresetBarTextFit::charWidth(unsigned char c)
{
    struct Group
    {
        int width;
        const char* chars;
    };
    static constexpr Group kGroups[] = {
        {3, "il"},         {4, " .Ifj"},         {5, "!()-[]rt"},     {6, "*"},
        {8, "0123456789<>?_bghopuz"}, {9, "BCEFNSTXZa"}, {10, "ADHKOPQRUVY"}, {11, "Gmw"},
        {12, "M"},         {14, "W"},            {15, "@"},
    };
    if (c == 0)
        return 0;
    for (const Group& g : kGroups)
        if (std::strchr(g.chars, c) != nullptr)
            return g.width;
    return 7;
}

std::string PresetBarTextFit::fitText(const std::string& text, double width)
{
    int avail = vellaCorParameters::truncToInt(width + 0.5);
    const size_t n = std::min<size_t>(std::strlen(text.c_str()), 63);
    if (14 * int(n) <= avail)
        return text;
    const size_t tail = n > 9 ? 9 : n / 2;
    for (size_t i = n - tail; i < n; ++i)
        avail -= charWidth(static_cast<unsigned char>(text[i]));
    const int limit = avail + 4;
    int sum = 0;
    for (size_t p = 0; p < n - tail; ++p)
    {
        sum += charWidth(static_cast<unsigned char>(text[p]));
        if (sum >= limit)
        {
            std::string out = text.substr(0, p);
            if (p > 3)
                out.replace(p - 3, 3, "...");
            return out + text.substr(n - tail, tail);
        }
    }
    return text;
}
