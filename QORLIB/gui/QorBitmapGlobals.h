#pragma once

#include <cstdint>

class QorBitmap;

// The process-wide image holders, one per image of the product, shared by every editor. An
// image is decoded when it is first drawn or measured, once per process.
namespace QorBitmapGlobals
{
enum ResourceId : int32_t
{
    kPanel = 12128,
    kModeSwitch = 12129,
    kAttackTrim = 12130,
    kValveTrim = 12139,
    kMeterLit = 12151,
    kMeterUnlit = 12153,
    kCompressionKnob = 12171,
    kTimeKnob = 12173,
    kOutputKnob = 12177,
    kRatioKnob = 12181,
    kAboutPlate = 12200,
    kDesignerLogo = 90001,
};

// The holder of an image of the product; nullptr for any other id.
QorBitmap* get(int32_t resourceId);
} // namespace QorBitmapGlobals
