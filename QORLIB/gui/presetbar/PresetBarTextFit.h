#pragma once

#include <string>

// Shortens a name in the middle ("Very Long Pre...t Name") so that it fits a width, by a table
// of character widths in pixels that matches the strip's font closely enough without measuring.
class PresetBarTextFit
{
public:
    static int charWidth(unsigned char c);
    static std::string fitText(const std::string& text, double width);
};
