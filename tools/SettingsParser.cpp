#include "tools/SettingsParser.h"

#include "QORLIB/platform/QorAtomicFile.h"
#include "QORLIB/presets/QorPresetFile.h"
#include "QORLIB/presets/QorUserPresetFolder.h"
#include "tools/CliError.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

using namespace vellaCorParameters;

namespace
{
constexpr uint32_t kHostParameters[] = {kProcess, kRatio, kAttackRatio, kTime, kCompression, kOutput, kValveLevel};

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    const size_t b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool parseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

std::string stepList(uint32_t index)
{
    std::string list;
    for (int32_t s = 0; s <= getParameterStepMax(index); ++s)
        list += (s ? ", " : "") + std::string(getParameterStepText(index, s));
    return list;
}

void setFromFactory(RenderSettings& settings, int32_t number)
{
    double values[12];
    char name[24] = {};
    for (uint32_t i = 0; i < 12; ++i)
        values[i] = getParameterDefault(i);
    vellaCorFactoryPresets::getFactoryPreset(number, values, name, nullptr);
    std::copy(std::begin(values), std::end(values), settings.values.begin());
    settings.presetName = name;
    settings.source = "factory preset " + std::to_string(number);
}
} // namespace

RenderSettings defaultSettings()
{
    RenderSettings settings;
    setFromFactory(settings, 0);
    return settings;
}

void applyFactoryPreset(RenderSettings& settings, const std::string& nameOrNumber)
{
    double number = 0.0;
    if (parseNumber(nameOrNumber, number))
    {
        if (number != std::floor(number) || number < 0 || number >= vellaCorFactoryPresets::kNumFactoryPresets)
            throw CliError("unknown preset '" + nameOrNumber + "': factory preset numbers are 0 to " +
                           std::to_string(vellaCorFactoryPresets::kNumFactoryPresets - 1));
        setFromFactory(settings, int32_t(number));
        return;
    }
    for (int32_t n = 0; n < vellaCorFactoryPresets::kNumFactoryPresets; ++n)
    {
        char name[24] = {};
        vellaCorFactoryPresets::getFactoryPreset(n, nullptr, name, nullptr);
        if (lower(name) == lower(trim(nameOrNumber)))
        {
            setFromFactory(settings, n);
            return;
        }
    }
    throw CliError("unknown preset '" + nameOrNumber + "' (see 'qor-vellacor presets')");
}

void applyPresetFile(RenderSettings& settings, const std::string& path)
{
    std::vector<uint8_t> bytes;
    switch (QorAtomicFile::read(path, bytes, QorUserPresetFolder::kMaxFileSize))
    {
    case QorAtomicFile::ReadStatus::Ok: break;
    case QorAtomicFile::ReadStatus::TooLarge: throw CliError("'" + path + "' is too large to be a preset file");
    default: throw CliError("cannot read preset file '" + path + "' (missing, or not a regular file)");
    }
    QorPresetRecord record;
    for (uint32_t i = 0; i < 12; ++i)
        record.values[i] = float(settings.values[i]);
    if (!QorPresetFile::readProgram(bytes.data(), bytes.size(), record, vellaCorFactoryPresets::presetProduct()))
        throw CliError("'" + path + "' is not a Qor vellaCor preset file");
    for (uint32_t i = 0; i < 12; ++i)
        settings.values[i] = record.values[i];
    settings.presetName = record.name;
    settings.source = "preset file " + path;
}

int32_t findHostParameter(const std::string& name)
{
    for (uint32_t index : kHostParameters)
        if (lower(getParameterName(index)) == lower(trim(name)))
            return int32_t(index);
    return -1;
}

double parseParameterValue(uint32_t index, const std::string& raw)
{
    const std::string text = trim(raw);
    const std::string name = getParameterName(index);
    const int32_t steps = getParameterStepMax(index);
    if (steps > 0)
    {
        for (int32_t s = 0; s <= steps; ++s)
            if (lower(getParameterStepText(index, s)) == lower(text))
                return double(s) / steps;
        throw CliError("bad value '" + raw + "' for " + name + ": use one of " + stepList(index));
    }
    const double maximum = index == kOutput ? 30.0 : 10.0;
    double v = 0.0;
    if (!parseNumber(text, v) || v < 0.0 || v > maximum)
        throw CliError("bad value '" + raw + "' for " + name + ": use a number from 0 to " +
                       std::to_string(int(maximum)) + (index == kOutput ? " (dB)" : ""));
    return v / maximum;
}

void applyAssignment(RenderSettings& settings, const std::string& assignment)
{
    const size_t eq = assignment.find('=');
    if (eq == std::string::npos)
        throw CliError("bad --set '" + assignment + "': write PARAM=VALUE, for example Ratio=3:1");
    const int32_t index = findHostParameter(assignment.substr(0, eq));
    if (index < 0)
        throw CliError("unknown parameter '" + assignment.substr(0, eq) +
                       "': use Process, Ratio, AttackRatio, Time, Compression, Output or ValveLevel");
    settings.values[size_t(index)] = parseParameterValue(uint32_t(index), assignment.substr(eq + 1));
    if (settings.source.find(" with changes") == std::string::npos)
        settings.source += " with changes";
}

std::string describeSettings(const RenderSettings& s)
{
    auto text = [&](uint32_t i) { return getParameterDisplay(i, s.values[i]); };
    return text(kProcess) + ", " + text(kRatio) + ", " + text(kAttackRatio) + ", Time " + text(kTime) +
           ", Compression " + text(kCompression) + ", Output " + text(kOutput) + " dB, Valve " + text(kValveLevel);
}
