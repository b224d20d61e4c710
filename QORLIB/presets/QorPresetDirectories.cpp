#include "QORLIB/presets/QorPresetDirectories.h"

#include "QORLIB/presets/QorUserPresetFolder.h"
#include "QORLIB/presets/QorUserPresetScanner.h"

#include <vector>

namespace
{
// A factory column lists at most this many presets (one fewer than the bank holds, so the
// last "Init" is never listed).
constexpr uint32_t kMaxFactoryColumnEntries = 42;
constexpr int32_t kMaxCategoryNumber = 127;

struct Shared
{
    std::unique_ptr<QorPresetDirectories> directories;
    int users = 0;
};

Shared& shared()
{
    static Shared s;
    return s;
}
} // namespace

QorPresetDirectories& QorPresetDirectories::acquire(const QorPresetProduct& product)
{
    Shared& s = shared();
    if (!s.directories)
        s.directories = std::make_unique<QorPresetDirectories>(product);
    ++s.users;
    return *s.directories;
}

void QorPresetDirectories::release()
{
    Shared& s = shared();
    if (--s.users < 1)
    {
        s.users = 0;
        s.directories.reset();
    }
}

QorPresetDirectories* QorPresetDirectories::instance() { return shared().directories.get(); }

QorPresetDirectories::QorPresetDirectories(const QorPresetProduct& product) : product_(product)
{
    const std::string folder = QorUserPresetFolder::defaultPath();
    if (QorUserPresetFolder::create(folder))
        userFolder_ = folder;
    buildFactoryDirectories();
    rescanUserPresets();
}

void QorPresetDirectories::rescanUserPresets()
{
    QorUserPresetScanner::scan(userFolder_, directories_[kQorUserDirectory]);
}

void QorPresetDirectories::buildFactoryDirectories()
{
    std::vector<int32_t> categories;
    std::vector<int32_t> designers;
    std::vector<bool> named;
    for (int32_t n = 0; n < product_.factoryCount; ++n)
    {
        char name[QorPresetRecord::kNameSize] = {};
        QorFactoryPresetInfo info;
        product_.getFactoryPreset(n, nullptr, name, &info);
        named.push_back(name[0] != '\0');
        categories.push_back(info.category);
        designers.push_back(info.designer);
    }

    // Column 0 "All", then one column per named group; group g lists the presets whose index
    // field is g - 1.
    const auto build = [&](QorPresetDirectory& dir, const std::vector<int32_t>& groupOf,
                           int32_t groupCount, const auto& groupName) {
        dir.clear();
        QorPresetColumn* all = dir.addColumn("All");
        const auto fill = [&](QorPresetColumn* column, int32_t group) {
            for (int32_t n = 0; n < product_.factoryCount; ++n)
                if ((group < 0 ? bool(named[n]) : groupOf[n] == group) &&
                    column->entryCount() < kMaxFactoryColumnEntries)
                    column->add(dir.newEntry(n, {}, -1));
        };
        fill(all, -1);
        for (int32_t g = 1; g <= std::min(groupCount, kMaxCategoryNumber); ++g)
        {
            const char* name = groupName(g - 1);
            if (name == nullptr || *name == '\0')
                continue;
            if (QorPresetColumn* column = dir.addColumn(name))
                fill(column, g - 1);
        }
    };
    build(directories_[kQorCategoryDirectory], categories, product_.categoryCount,
          [&](int32_t i) { return product_.categoryNames[i]; });
    build(directories_[kQorDesignerDirectory], designers, product_.designerCount,
          [&](int32_t i) { return product_.designers[i].name; });
}
