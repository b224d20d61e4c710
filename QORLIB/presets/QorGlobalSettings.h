#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Per-user settings shared by every instance and host: the hints flag, the editor zoom, the
// clipboard preset and the manual path. Main thread only.
namespace QorGlobalSettings
{
inline constexpr int kHintsSetting = 57;
inline constexpr int kZoomSetting = 59;

inline constexpr const char* kSettingsKey = "QORVCME1"; // holds "QORVC1: <number>"
inline constexpr const char* kProductKey = "QORVC1";    // holds "MemoA" and "ManualPath"
inline constexpr const char* kClipboardValue = "MemoA";
inline constexpr const char* kManualPathValue = "ManualPath";

int setGlobalSetting(int number, double value);   // status: 0 success
int getGlobalSetting(int number, double& value);   // value changed only when a valid number was read
// Process-wide values, read from the store once per process at first use (hints first, then
// zoom), so that nothing touches the store before the host or a test has set the environment.
int& hintsFlag();    // 1 hints shown, 0 hidden
int& zoomPercent();  // 70..400

// A zoom factor of 0.01 or less (or NaN) means 1.0; others are clamped to 0.7..4.0.
double clampZoomFactor(double factor);
// Stored zoom value (factor × 0.1) to percent by the rule above.
int zoomPercentFromSetting(double stored);
// Percent to the stored form, with the factor clamped to 0.7..4.0.
double zoomSettingFromPercent(int percent);
// Writes the process-wide hints flag and zoom percent (a preset manager going away).
void writeProcessSettings();

int setClipboardPreset(const std::vector<uint8_t>& bytes);
int getClipboardPreset(std::vector<uint8_t>& bytes);
int setManualPath(const std::string& path);
int getManualPath(std::string& path);
} // namespace QorGlobalSettings
