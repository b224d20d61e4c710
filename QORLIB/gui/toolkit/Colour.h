#pragma once

#include <cstdint>

namespace qortk
{

// 8-bit RGBA, not premultiplied.
struct Colour
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;

    bool operator==(const Colour&) const = default;
};

} // namespace qortk
