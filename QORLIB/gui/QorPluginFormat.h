#pragma once

// The plug-in format an editor runs in, as the about box's credit line and the version line name
// it. The host glue sets it on its engine, so no text claims a format that is not running.
struct QorPluginFormat
{
    const char* credit; // the about box's line under the plate, e.g. "LV2 plug-in"
    const char* tag;    // the version line's build suffix before the machine, e.g. "lv2"
};

namespace QorPluginFormats
{
inline constexpr QorPluginFormat kUnnamed{"", ""};
inline constexpr QorPluginFormat kAax{"AAX Native by Avid Technology", "aax"};
inline constexpr QorPluginFormat kLv2{"LV2 plug-in", "lv2"};
inline constexpr QorPluginFormat kStandalone{"Stand-alone editor", "standalone"};
inline constexpr QorPluginFormat kVst3{"VST3 plug-in", "vst3"};
inline constexpr QorPluginFormat kClap{"CLAP plug-in", "clap"};
inline constexpr QorPluginFormat kJack{"JACK application", "jack"};

// The machine the code was built for, as the version line ends.
inline constexpr const char* kMachine =
#if defined(__x86_64__) || defined(_M_X64)
    "x64";
#elif defined(__aarch64__) || defined(_M_ARM64)
    "arm64";
#elif defined(__i386__) || defined(_M_IX86)
    "x86";
#else
    "unknown";
#endif
} // namespace QorPluginFormats
