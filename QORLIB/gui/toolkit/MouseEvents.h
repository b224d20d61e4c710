#pragma once

#include <cstdint>

namespace qortk
{

// Button and modifier flags carried by every mouse event (the values hosts and the
// framework above rely on).
enum ButtonFlags : uint32_t
{
    kLButton = 1u << 1,
    kMButton = 1u << 2,
    kRButton = 1u << 3,
    kShift = 1u << 4,
    kControl = 1u << 5,
    kAlt = 1u << 6,
    kSystemKey = 1u << 7,
    kDoubleClick = 1u << 10,
};

inline constexpr uint32_t kMouseButtonMask = kLButton | kMButton | kRButton;
inline constexpr uint32_t kModifierMask = kShift | kControl | kAlt | kSystemKey;

enum MouseResult
{
    kMouseNotImplemented = 0,
    kMouseHandled = 1,
    kMouseNotHandled = 2,
    kMouseHandledFinal = 3, // handled; no moved or up events wanted for this press
};

inline bool isHandled(MouseResult r) { return r == kMouseHandled || r == kMouseHandledFinal; }

} // namespace qortk
