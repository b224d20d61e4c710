#include "tools/PresetListing.h"

#include "QORLIB/presets/QorPresetDirectory.h"
#include "QORLIB/presets/QorUserPresetFolder.h"
#include "QORLIB/presets/QorUserPresetScanner.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorParameters.h"


namespace
{
using namespace vellaCorParameters;
constexpr uint32_t kShown[] = {kProcess, kRatio, kAttackRatio, kTime, kCompression, kOutput, kValveLevel};

nlohmann::json displays(const float* values)
{
    nlohmann::json shown = nlohmann::json::object();
    for (uint32_t i : kShown)
        shown[getParameterName(i)] = getParameterDisplay(i, values[i]);
    return shown;
}

nlohmann::json userPresets()
{
    nlohmann::json list = nlohmann::json::array();
    const std::string folder = QorUserPresetFolder::defaultPath();
    if (folder.empty())
        return list;
    QorPresetDirectory directory;
    QorUserPresetScanner::scan(folder, directory);
    for (uint32_t i = 0; i < directory.entryCount(0); ++i)
    {
        const QorPresetEntry* e = directory.entry(0, i);
        const std::string sub = e->folderColumn > 0 ? directory.column(uint32_t(e->folderColumn))->name() : "";
        QorPresetRecord record;
        if (!QorUserPresetFolder::readPresetFile(folder, sub, e->fileName, record,
                                                 vellaCorFactoryPresets::presetProduct()))
            continue;
        list.push_back({{"name", e->fileName}, {"folder", sub}, {"values", displays(record.values)}});
    }
    return list;
}
} // namespace

nlohmann::json presetListingJson()
{
    nlohmann::json factory = nlohmann::json::array();
    for (int32_t n = 0; n < vellaCorFactoryPresets::kNumFactoryPresets; ++n)
    {
        double values[12];
        char name[24] = {};
        QorFactoryPresetInfo info;
        for (uint32_t i = 0; i < 12; ++i)
            values[i] = getParameterDefault(i);
        vellaCorFactoryPresets::getFactoryPreset(n, values, name, &info);
        float stored[12];
        for (int i = 0; i < 12; ++i)
            stored[i] = float(values[i]);
        factory.push_back({{"number", n},
                           {"name", name},
                           {"category", vellaCorFactoryPresets::categoryName(info.category)},
                           {"values", displays(stored)}});
    }
    return {{"factory", factory}, {"user_folder", QorUserPresetFolder::defaultPath()}, {"user", userPresets()}};
}

std::string presetListingText()
{
    const nlohmann::json all = presetListingJson();
    // Columns padded to a width; a longer value (a long user preset name) widens its row only.
    const auto columns = [](const std::vector<std::string>& cells)
    {
        static constexpr std::size_t kWidths[] = {4, 22, 16, 6, 6, 6, 6, 6, 7, 5};
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
        {
            line += cells[i];
            if (i + 1 < cells.size())
                line += std::string(kWidths[i] > cells[i].size() ? kWidths[i] - cells[i].size() : 0, ' ') + " ";
        }
        return line + "\n";
    };
    std::string text = columns({"No.", "Name", "Category", "Proc.", "Ratio", "Attack", "Time", "Comp.", "Output", "Valve"});
    auto row = [&](const std::string& number, const nlohmann::json& p, const std::string& category)
    {
        const auto& v = p["values"];
        text += columns({number, p["name"].get<std::string>(), category, v["Process"].get<std::string>(),
                         v["Ratio"].get<std::string>(), v["AttackRatio"].get<std::string>(),
                         v["Time"].get<std::string>(), v["Compression"].get<std::string>(),
                         v["Output"].get<std::string>(), v["ValveLevel"].get<std::string>()});
    };
    for (const auto& p : all["factory"])
        row(std::to_string(p["number"].get<int>()), p, p["category"].get<std::string>());
    text += "\nUser presets in " + all["user_folder"].get<std::string>() + ":\n";
    if (all["user"].empty())
        text += "  (none)\n";
    for (const auto& p : all["user"])
        row("-", p, p["folder"].get<std::string>());
    return text;
}
