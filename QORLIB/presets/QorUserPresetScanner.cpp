#include "QORLIB/presets/QorUserPresetScanner.h"

#include "QORLIB/platform/QorDebugOutput.h"

#include <dirent.h>
#include <set>
#include <utility>
#include <sys/stat.h>

namespace
{
constexpr std::size_t kExtensionLength = 4; // ".qor"

// Directory entries in enumeration order, "." and ".." included; at most limit of them.
std::vector<std::string> listFolder(const std::string& path, std::size_t limit)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr)
        return names;
    while (names.size() < limit)
    {
        const dirent* e = ::readdir(dir);
        if (e == nullptr)
            break;
        names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    return names;
}

// 0 not found, 1 folder, 2 regular file, 3 anything else (FIFO, device, socket): only regular
// files are offered as presets, since reading anything else may block or never end.
int typeOf(const std::string& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    return S_ISDIR(st.st_mode) ? 1 : S_ISREG(st.st_mode) ? 2 : 3;
}

bool isPresetFileName(const std::string& name)
{
    return name.size() > kExtensionLength &&
           name.compare(name.size() - kExtensionLength, kExtensionLength, ".qor") == 0;
}

using FolderIds = std::set<std::pair<dev_t, ino_t>>;

// Presets of a column's folder, then of the folders below it, named with their path below the
// column's folder ("Deeper/Deep"). Dot folders are skipped; a folder reached twice through
// symbolic links is read once.
void collectPresets(QorPresetDirectory& directory, const std::string& path, const std::string& below,
                    int32_t column, int depth, std::vector<QorPresetEntry*>& list, FolderIds& seen)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !seen.insert({st.st_dev, st.st_ino}).second)
        return;
    std::vector<std::string> folders;
    for (const std::string& name : listFolder(path, SIZE_MAX))
    {
        if (list.size() >= QorPresetColumn::kMaxEntries)
            return;
        const std::string full = path + "/" + name;
        if (isPresetFileName(name) && typeOf(full) == 2)
            list.push_back(directory.newEntry(-1, below + name.substr(0, name.size() - kExtensionLength), column));
        else if (depth > 0 && name[0] != '.' && folders.size() < QorUserPresetScanner::kMaxFolderEntriesExamined &&
                 typeOf(full) == 1)
            folders.push_back(name);
    }
    for (const std::string& name : folders)
        collectPresets(directory, path + "/" + name, below + name + "/", column, depth - 1, list, seen);
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
} // namespace

bool QorUserPresetScanner::inOrder(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
    {
        const auto ca = static_cast<signed char>(upper(a[i]));
        const auto cb = static_cast<signed char>(upper(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

void QorUserPresetScanner::scan(const std::string& folder, QorPresetDirectory& directory)
{
    directory.clear();
    QorPresetColumn* all = directory.addColumn("All");
    if (folder.empty())
        return;

    std::vector<std::string> subFolders;
    for (const std::string& name : listFolder(folder, kMaxFolderEntriesExamined))
        if (name[0] != '.' && subFolders.size() + 1 < QorPresetDirectory::kMaxColumns &&
            typeOf(folder + "/" + name) == 1)
            subFolders.push_back(name);

    // Presets per folder, main folder first, in enumeration order.
    std::vector<std::vector<QorPresetEntry*>> lists(subFolders.size() + 1);
    for (std::size_t c = 0; c < lists.size(); ++c)
    {
        const std::string path = c == 0 ? folder : folder + "/" + subFolders[c - 1];
        QorDebugOutput::write("\nPlugin's Main Preset Folder:\t" + folder +
                              "\t\nLooking for *.qor files in:\t" + path + "\t");
        // The main folder's own sub-folders are columns of their own.
        FolderIds seen;
        collectPresets(directory, path, "", static_cast<int32_t>(c), c == 0 ? 0 : kMaxDepthBelowColumn, lists[c],
                       seen);
        for (QorPresetEntry* e : lists[c])
            all->add(e);
    }

    // Sub-folder columns sorted by name, entries renumbered to their column.
    std::vector<std::size_t> order;
    for (std::size_t c = 1; c < lists.size(); ++c)
        order.push_back(c);
    exchangeSort(order, [&](std::size_t c) -> const std::string& { return subFolders[c - 1]; });
    for (std::size_t k = 0; k < order.size(); ++k)
    {
        QorPresetColumn* column = directory.addColumn(subFolders[order[k] - 1]);
        for (QorPresetEntry* e : lists[order[k]])
        {
            e->folderColumn = static_cast<int32_t>(k + 1);
            column->add(e);
        }
    }

    const auto fileName = [](const QorPresetEntry* e) -> const std::string& { return e->fileName; };
    for (uint32_t c = 0; c < directory.columnCount(); ++c)
        exchangeSort(directory.column(c)->entries(), fileName);
}
