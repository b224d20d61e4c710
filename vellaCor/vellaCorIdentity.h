#pragma once

// The product's identity, defined once and used by every host format and tool.
namespace vellaCorIdentity
{
inline constexpr const char* kProductName = "Qor vellaCor";
inline constexpr const char* kProductDescription = "Qor vellaCor - opto compressor";
inline constexpr const char* kMakerName = "Qorwerk";
inline constexpr const char* kMakerFolder = "Qor-werk"; // under "Documents" and the settings root
inline constexpr const char* kMakerWebAddress = "https://www.qor-werk.com";
inline constexpr const char* kVersion = "2.2.2.0";
inline constexpr int kPackageVersion = 2220;
inline constexpr const char* kAaxEffectId = "com.qor-werk.aax.vellaCor";
inline constexpr const char* kLv2UriBase = "https://www.qor-werk.com/plugins/vellacor";
inline constexpr const char* kLv2UriMono = "https://www.qor-werk.com/plugins/vellacor#mono";
inline constexpr const char* kLv2UriStereo = "https://www.qor-werk.com/plugins/vellacor#stereo";
} // namespace vellaCorIdentity
