#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

// The menus' own shades, beside the strip's palette.
namespace PresetBarMenuColours
{
inline constexpr QorColour kButtonHover{64, 64, 70, 255};
inline constexpr QorColour kButton{58, 58, 62, 255};
inline constexpr QorColour kCellHover{255, 255, 255, 28};
inline constexpr QorColour kCellText{205, 205, 205, 255};
inline constexpr QorColour kTrack{48, 48, 52, 255};
inline constexpr QorColour kThumb{112, 112, 120, 255};
inline constexpr QorColour kThumbActive{150, 150, 160, 255};
inline constexpr QorColour kDetailText{150, 150, 155, 255};
} // namespace PresetBarMenuColours
