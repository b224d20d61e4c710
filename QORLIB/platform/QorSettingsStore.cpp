#include "QORLIB/platform/QorSettingsStore.h"

#include "vellaCor/vellaCorIdentity.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
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

bool makeFolders(const std::string& path)
{
    std::size_t pos = 1;
    while (pos <= path.size())
    {
        pos = path.find('/', pos);
        if (pos == std::string::npos)
            pos = path.size();
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        ++pos;
    }
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool writeAll(int fd, const uint8_t* p, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
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
    if (!validKey(key) || !validName(name))
        return kBadName;
    const std::string base = root();
    if (base.empty())
        return kNoRoot;
    const std::string folder = base + "/" + key;
    if (!makeFolders(folder))
        return kIoError;

    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return kIoError;
    const bool written = writeAll(fd, static_cast<const uint8_t*>(data), size) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temp.c_str(), (folder + "/" + name).c_str()) != 0)
    {
        ::unlink(temp.c_str());
        return kIoError;
    }
    return kSuccess;
}

int QorSettingsStore::readValue(const std::string& key, const std::string& name,
                                std::vector<uint8_t>& out, std::size_t maxSize)
{
    if (!validKey(key) || !validName(name))
        return kBadName;
    const std::string base = root();
    if (base.empty())
        return kNoRoot;
    const std::string path = base + "/" + key + "/" + name;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? kNotFound : kIoError;

    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return kNotFound;
    }
    // Read one byte beyond the limit so that a value that grew meanwhile is still caught.
    std::vector<uint8_t> bytes(maxSize + 1);
    std::size_t got = 0;
    while (got < bytes.size())
    {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            ::close(fd);
            return kIoError;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > maxSize)
        return kTooLarge;
    bytes.resize(got);
    out.swap(bytes);
    return kSuccess;
}

int QorSettingsStore::removeValue(const std::string& key, const std::string& name)
{
    if (!validKey(key) || !validName(name))
        return kBadName;
    const std::string base = root();
    if (base.empty())
        return kNoRoot;
    const std::string path = base + "/" + key + "/" + name;
    if (::unlink(path.c_str()) != 0)
        return errno == ENOENT ? kNotFound : kIoError;
    return kSuccess;
}
