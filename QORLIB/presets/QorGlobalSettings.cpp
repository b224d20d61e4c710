#include "QORLIB/presets/QorGlobalSettings.h"

#include "QORLIB/platform/QorSettingsStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace QorGlobalSettings
{
namespace
{
constexpr double kMinZoomFactor = 0.7;
constexpr double kMaxZoomFactor = 4.0;
// Large enough for any preset serialisation; bounds what a corrupt store can make us read.
constexpr std::size_t kMaxClipboardBytes = 1 << 16;
constexpr std::size_t kMaxPathBytes = 4096;

std::string settingName(int number) { return "QORVC1: " + std::to_string(number); }

// Both flags are read together on first use, hints first, so that a test (or a host) can set
// up the environment before the store is touched.
struct ProcessSettings
{
    int hints = 1;
    int zoom = 100;
    ProcessSettings()
    {
        double value = 1.0;
        getGlobalSetting(kHintsSetting, value);
        hints = static_cast<int>(value);
        value = 0.1;
        getGlobalSetting(kZoomSetting, value);
        zoom = zoomPercentFromSetting(value);
    }
};

ProcessSettings& processSettings()
{
    static ProcessSettings settings;
    return settings;
}
} // namespace

int setGlobalSetting(int number, double value)
{
    const float f = static_cast<float>(value);
    uint8_t bytes[sizeof f];
    std::memcpy(bytes, &f, sizeof f);
    return QorSettingsStore::writeValue(kSettingsKey, settingName(number), bytes, sizeof bytes);
}

int getGlobalSetting(int number, double& value)
{
    std::vector<uint8_t> bytes;
    const int status = QorSettingsStore::readValue(kSettingsKey, settingName(number), bytes, 4);
    if (status != QorSettingsStore::kSuccess)
        return status;
    // A value of another length is not one of ours; it leaves the default in place.
    if (bytes.size() != 4)
        return QorSettingsStore::kIoError;
    float f = -1.0f;
    std::memcpy(&f, bytes.data(), sizeof f);
    if (f >= 0.0f && f <= 1.0f)
        value = f;
    return status;
}

int& hintsFlag() { return processSettings().hints; }
int& zoomPercent() { return processSettings().zoom; }

double clampZoomFactor(double factor)
{
    if (!(factor > 0.01))
        return 1.0;
    return std::clamp(factor, kMinZoomFactor, kMaxZoomFactor);
}

int zoomPercentFromSetting(double stored)
{
    return static_cast<int>(clampZoomFactor(stored * 10.0) * 100.0 + 0.5);
}

double zoomSettingFromPercent(int percent) { return clampZoomFactor(percent / 100.0) * 0.1; }

void writeProcessSettings()
{
    setGlobalSetting(kHintsSetting, static_cast<double>(hintsFlag()));
    setGlobalSetting(kZoomSetting, zoomSettingFromPercent(zoomPercent()));
}

int setClipboardPreset(const std::vector<uint8_t>& bytes)
{
    return QorSettingsStore::writeValue(kProductKey, kClipboardValue, bytes.data(), bytes.size());
}

int getClipboardPreset(std::vector<uint8_t>& bytes)
{
    return QorSettingsStore::readValue(kProductKey, kClipboardValue, bytes, kMaxClipboardBytes);
}

int setManualPath(const std::string& path)
{
    return QorSettingsStore::writeValue(kProductKey, kManualPathValue, path.data(), path.size());
}

int getManualPath(std::string& path)
{
    std::vector<uint8_t> bytes;
    const int status =
        QorSettingsStore::readValue(kProductKey, kManualPathValue, bytes, kMaxPathBytes);
    if (status == QorSettingsStore::kSuccess)
        path.assign(bytes.begin(), std::find(bytes.begin(), bytes.end(), uint8_t{0}));
    return status;
}
} // namespace QorGlobalSettings
