#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

#include <array>
#include <cstdint>

// The meter table: input and output peak, gain reduction, then 64 custom meters, one for each
// entry of the processor's meter list ('mtcA' carries the first).
namespace Qor_AAX_Meters
{
inline constexpr uint32_t kCount = 67;
inline constexpr uint32_t kStandardCount = 3;

namespace detail
{
inline constexpr char kLetters[] = "ABCDEFGHIJKLMNOPRSTUWQXYZV";
inline constexpr char kShortLetters[] = "ABCDEF";

constexpr AAX_CTypeID code(char a, char b, char c, char d)
{
    const char text[5] = {a, b, c, d, '\0'};
    return AAX_FourCC(text);
}

constexpr std::array<AAX_CTypeID, kCount> build()
{
    std::array<AAX_CTypeID, kCount> ids{};
    size_t n = 0;
    ids[n++] = AAX_FourCC("mtrI");
    ids[n++] = AAX_FourCC("mtrO");
    ids[n++] = AAX_FourCC("mtGR");
    for (int i = 0; i < 26; ++i)
        ids[n++] = code('m', 't', 'c', kLetters[i]);
    for (int i = 0; i < 6; ++i)
        ids[n++] = code('m', 'r', 'c', kShortLetters[i]);
    for (int i = 0; i < 26; ++i)
        ids[n++] = code('m', 't', 't', kLetters[i]);
    for (int i = 0; i < 6; ++i)
        ids[n++] = code('m', 'r', 't', kShortLetters[i]);
    return ids;
}
} // namespace detail

// Stored once, passed whole to AddMeters.
inline constexpr std::array<AAX_CTypeID, kCount> kIDs = detail::build();
} // namespace Qor_AAX_Meters
