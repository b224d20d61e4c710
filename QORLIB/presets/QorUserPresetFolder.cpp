#include "QORLIB/presets/QorUserPresetFolder.h"

#include "QORLIB/presets/QorPresetFile.h"
#include "vellaCor/vellaCorIdentity.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool isFolder(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool writeAll(int fd, const uint8_t* p, std::size_t n)
{
    while (n > 0)
    {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// Reads at most limit bytes of a regular file; false when it cannot be opened.
bool readFile(const std::string& path, std::vector<uint8_t>& out, std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return false;
    }
    out.resize(limit);
    std::size_t got = 0;
    while (got < limit)
    {
        const ssize_t n = ::read(fd, out.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    return true;
}
} // namespace

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
    for (std::size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        ::mkdir(path.substr(0, pos).c_str(), 0755);
    ::mkdir(path.c_str(), 0755);
    return isFolder(path);
}

bool QorUserPresetFolder::readPresetFile(const std::string& folder, const std::string& subFolder,
                                         const std::string& fileName, QorPresetRecord& record,
                                         const QorPresetProduct& product)
{
    if (folder.empty() || fileName.empty())
        return false;
    std::string path = folder + "/";
    if (!subFolder.empty())
        path += subFolder + "/";
    path += fileName + kExtension;
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, kMaxFileSize))
        return false;
    return QorPresetFile::readProgram(bytes.data(), bytes.size(), record, product);
}

bool QorUserPresetFolder::writeFileAtomically(const std::string& path,
                                              const std::vector<uint8_t>& bytes,
                                              std::string& errorText)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    if (leaf.empty())
    {
        errorText = "no file name";
        return false;
    }
    std::string temp = (slash == std::string::npos ? std::string() : folder) + "." + leaf + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
    {
        errorText = std::strerror(errno);
        return false;
    }
    // Keep the permissions of the file being replaced; a new preset is readable by all.
    struct stat old{};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool ok = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    if (!ok)
        errorText = std::strerror(errno);
    if (::close(fd) != 0 && ok)
    {
        ok = false;
        errorText = std::strerror(errno);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0)
    {
        ok = false;
        errorText = std::strerror(errno);
    }
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

std::string QorUserPresetFolder::withSingleExtension(std::string name)
{
    const std::size_t n = std::strlen(kExtension);
    while (name.size() >= n && name.compare(name.size() - n, n, kExtension) == 0)
        name.resize(name.size() - n);
    return name + kExtension;
}
