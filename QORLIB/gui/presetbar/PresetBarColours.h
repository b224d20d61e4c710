#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

// The strip's palette.
namespace PresetBarColours
{
inline constexpr QorColour kStrip{30, 30, 30, 255};
inline constexpr QorColour kFrame{44, 44, 47, 255};
inline constexpr QorColour kHoverOutline{101, 101, 107, 100};
inline constexpr QorColour kText{200, 200, 200, 255};
inline constexpr QorColour kTextBright{255, 255, 255, 255};
inline constexpr QorColour kField{223, 223, 223, 255};
inline constexpr QorColour kName{0, 0, 0, 255};
inline constexpr QorColour kNameModified{100, 60, 60, 255};
inline constexpr QorColour kActive{54, 151, 206, 255};
inline constexpr QorColour kPresetMenuOverlay{30, 30, 30, 200};
inline constexpr QorColour kConfigMenuOverlay{25, 25, 25, 230};
inline constexpr QorColour kCornerOverlay{25, 25, 25, 1};
inline constexpr QorColour kFactoryHighlight{50, 88, 141, 255};
inline constexpr QorColour kUserHighlight{49, 139, 119, 255};
// The menus' own shades.
inline constexpr QorColour kButtonHover{64, 64, 70, 255};
inline constexpr QorColour kButton{58, 58, 62, 255};
inline constexpr QorColour kCellHover{255, 255, 255, 28};
inline constexpr QorColour kCellText{205, 205, 205, 255};
inline constexpr QorColour kTrack{48, 48, 52, 255};
inline constexpr QorColour kThumb{112, 112, 120, 255};
inline constexpr QorColour kThumbActive{150, 150, 160, 255};
inline constexpr QorColour kDetailText{150, 150, 155, 255};
inline constexpr QorColour kWarning{235, 130, 100, 255};
} // namespace PresetBarColours
