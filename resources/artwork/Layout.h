#pragma once

#include <cmath>

// Where the product editor puts its controls (points, product area 400 × 275). The panel's
// markings are drawn around these rectangles, so they must match the editor's layout.
namespace artwork::layout
{

struct Box
{
    double left, top, right, bottom;
    double cx() const { return (left + right) / 2.0; }
    double cy() const { return (top + bottom) / 2.0; }
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

inline constexpr double kPanelWidth = 400.0;
inline constexpr double kPanelHeight = 275.0;

inline constexpr Box kNameButton{85, 5, 313, 45};
inline constexpr Box kModeSwitch{262, 46, 368, 124};
inline constexpr Box kTimeKnob{28, 143, 142, 257};
inline constexpr Box kCompressionKnob{143, 143, 257, 257};
inline constexpr Box kOutputKnob{258, 143, 372, 257};
inline constexpr Box kRatioKnob{50, 50, 120, 120};
inline constexpr Box kAttackTrim{31, 123, 62, 154};
inline constexpr Box kValveTrim{267, 92, 298, 123};
inline constexpr Box kMeter{150, 66, 250, 109};

// The meter needle turns about this point (pixel centres, product coordinates) and ends this
// far from it.
inline constexpr double kNeedlePivotX = 200.5;
inline constexpr double kNeedlePivotY = 155.5;
inline constexpr double kNeedleLength = 86.0;

// The about box: the text the control draws itself and the link area that must hold the
// painted web address.
inline constexpr Box kAboutVersion{296, 69, 396, 79};
inline constexpr Box kAboutLink{110, 130, 290, 154};
inline constexpr Box kAboutCredit{0, 208, 400, 218};

// Mode switch lever pivot in switch coordinates, and the lever's three angles (radians from
// straight up, clockwise): "Valve", "Clear", "Off".
inline constexpr double kLeverPivotX = 53.0;
inline constexpr double kLeverPivotY = 46.0;
inline constexpr double kLeverAngles[3] = {-0.70, 0.0, 0.70};

// A knob's pointer for a value in [0, 1]: 270° of travel with the gap at the bottom; radians
// from straight up, clockwise.
inline double pointerAngle(double value) { return (-135.0 + 270.0 * value) * M_PI / 180.0; }

// The needle for a meter value: 120° (value 0, left) to 60° (value 1, right), counter-clockwise
// from the positive x axis with y up.
inline double needleAngle(double value) { return (120.0 - 60.0 * value) * M_PI / 180.0; }
// The meter value for a gain reduction in dB (the value is the fraction taken off the signal).
inline double meterValueForDb(double db) { return 1.0 - std::pow(10.0, db / 20.0); }

} // namespace artwork::layout
