#pragma once

#include <cstdint>
#include <functional>

// Millisecond tick of a steady clock, wrapping at 32 bits; differences of two ticks taken as
// unsigned are correct across the wrap. Main thread only.
class QorTick
{
public:
    using Source = std::function<uint32_t()>;

    static uint32_t now();

    // Replaces the clock (tests); an empty source restores the real one.
    static Source setSource(Source source);
};
