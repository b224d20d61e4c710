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
} // namespace PresetBarColours
