#include "QORLIB/platform/QorSettingsStore.h"

#include "QORLIB/platform/QorAtomicFile.h"
#include "vellaCor/vellaCorIdentity.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace
{
bool validName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

// Keys may be nested ("A/B"); every component must be a plain name.
bool validKey(const std::string& key)
{
    std::size_t start = 0;
    while (true)
    {
        const std::size_t slash = key.find('/', start);
        if (!validName(key.substr(start, slash == std::string::npos ? slash : slash - start)))
            return false;
        if (slash == std::string::npos)
            return true;
        start = slash + 1;
    }
}

std::string envOrEmpty(const char* name)
{
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

// The file of a value, or a status when the names are unusable.
int valuePath(const std::string& key, const std::string& name, std::string& path)
{
    if (!validKey(key) || !validName(name))
        return QorSettingsStore::kBadName;
    const std::string base = QorSettingsStore::root();
    if (base.empty())
        return QorSettingsStore::kNoRoot;
    path = base + "/" + key + "/" + name;
    return QorSettingsStore::kSuccess;
}
} // namespace

std::string QorSettingsStore::root()
{
    std::string dir = envOrEmpty("QOR_SETTINGS_DIR");
    if (!dir.empty())
        return dir;
    dir = envOrEmpty("XDG_CONFIG_HOME");
    if (dir.empty() || dir[0] != '/') // relative values are to be ignored per the XDG rules
    {
        const std::string home = envOrEmpty("HOME");
        if (home.empty())
            return {};
        dir = home + "/.config";
    }
    return dir + "/" + vellaCorIdentity::kMakerFolder;
}

int QorSettingsStore::writeValue(const std::string& key, const std::string& name,
                                 const void* data, std::size_t size)
{
    std::string path;
    if (const int status = valuePath(key, name, path); status != kSuccess)
        return status;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::string ignored;
    return QorAtomicFile::write(path, data, size, ignored) ? kSuccess : kIoError;
}

int QorSettingsStore::readValue(const std::string& key, const std::string& name,
                                std::vector<uint8_t>& out, std::size_t maxSize)
{
    std::string path;
    if (const int status = valuePath(key, name, path); status != kSuccess)
        return status;
    switch (QorAtomicFile::read(path, out, maxSize))
    {
    case QorAtomicFile::ReadStatus::Ok: return kSuccess;
    case QorAtomicFile::ReadStatus::NotFound: return kNotFound;
    case QorAtomicFile::ReadStatus::TooLarge: return kTooLarge;
    default: return kIoError;
    }
}

int QorSettingsStore::removeValue(const std::string& key, const std::string& name)
{
    std::string path;
    if (const int status = valuePath(key, name, path); status != kSuccess)
        return status;
    if (::unlink(path.c_str()) != 0)
        return errno == ENOENT ? kNotFound : kIoError;
    return kSuccess;
}
