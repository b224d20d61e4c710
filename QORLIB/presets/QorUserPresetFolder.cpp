#include "QORLIB/presets/QorUserPresetFolder.h"

#include "QORLIB/platform/QorAtomicFile.h"
#include "QORLIB/presets/QorPresetFile.h"
#include "vellaCor/vellaCorIdentity.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

std::string QorUserPresetFolder::defaultPath()
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0')
        return {};
    return std::string(home) + "/Documents/" + vellaCorIdentity::kMakerFolder + "/User Presets/" +
           vellaCorIdentity::kProductName;
}

bool QorUserPresetFolder::create(const std::string& path)
{
    if (path.empty())
        return false;
    // Only the maker folder, "User Presets" and the product folder are ours to make; a home
    // without "Documents" is left as it is.
    const std::filesystem::path folder(path);
    const std::filesystem::path levels[3] = {folder.parent_path().parent_path(), folder.parent_path(),
                                             folder};
    std::error_code error;
    if (!std::filesystem::is_directory(levels[0].parent_path(), error))
        return false;
    for (const std::filesystem::path& level : levels)
        std::filesystem::create_directory(level, error);
    return std::filesystem::is_directory(folder, error);
}

bool QorUserPresetFolder::readPresetFile(const std::string& folder, const std::string& subFolder,
                                         const std::string& fileName, QorPresetRecord& record,
                                         const QorPresetProduct& product, std::string* why)
{
    auto fail = [why](const char* reason) {
        if (why != nullptr)
            *why = reason;
        return false;
    };
    if (folder.empty() || fileName.empty())
        return fail("there is no user preset folder");
    std::string path = folder + "/";
    if (!subFolder.empty())
        path += subFolder + "/";
    path += fileName + kExtension;
    std::vector<uint8_t> bytes;
    switch (QorAtomicFile::read(path, bytes, kMaxFileSize))
    {
    case QorAtomicFile::ReadStatus::Ok:
        break;
    case QorAtomicFile::ReadStatus::NotFound:
        return fail("the file is gone");
    case QorAtomicFile::ReadStatus::TooLarge:
        return fail("the file is too large to be a preset");
    case QorAtomicFile::ReadStatus::Error:
        return fail("the file cannot be read");
    }
    if (bytes.empty())
        return fail("the file is empty");
    if (!QorPresetFile::readProgram(bytes.data(), bytes.size(), record, product))
        return fail("the file is damaged or no preset");
    return true;
}

std::string QorUserPresetFolder::withSingleExtension(std::string name)
{
    const std::size_t n = std::strlen(kExtension);
    while (name.size() >= n && name.compare(name.size() - n, n, kExtension) == 0)
        name.resize(name.size() - n);
    return name + kExtension;
}
