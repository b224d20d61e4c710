#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

class QorDrawContext;

// The look shared by the rows of the configuration page: a rounded band with its label in the
// left half, and buttons in the right half.
namespace PresetBarConfigRow
{
inline constexpr double kPadding = 12.0;

void drawBand(QorDrawContext& context, const QorRect& row, const char* label);
// The right half of the row, inset for its buttons.
QorRect rightHalf(const QorRect& row);
void drawButton(QorDrawContext& context, const QorRect& box, const char* text, bool on, bool hovered,
                bool pressed);
} // namespace PresetBarConfigRow
