#include "QORLIB/platform/QorAtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
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
} // namespace

bool QorAtomicFile::write(const std::string& path, const void* data, std::size_t size,
                          std::string& errorText)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    if (leaf.empty())
    {
        errorText = "no file name";
        return false;
    }
    std::string temp = folder + "." + leaf + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
    {
        errorText = std::strerror(errno);
        return false;
    }
    // Keep the permissions of the file being replaced; a new file is readable by all.
    struct stat old{};
    ::fchmod(fd, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool ok = writeAll(fd, static_cast<const uint8_t*>(data), size) && ::fsync(fd) == 0;
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

QorAtomicFile::ReadStatus QorAtomicFile::read(const std::string& path, std::vector<uint8_t>& out,
                                              std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::NotFound : ReadStatus::Error;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        ::close(fd);
        return ReadStatus::NotFound;
    }
    // One byte beyond the limit, so that a file that grew meanwhile is still caught.
    std::vector<uint8_t> bytes(limit + 1);
    std::size_t got = 0;
    while (got < bytes.size())
    {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
        {
            ::close(fd);
            return ReadStatus::Error;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got > limit)
        return ReadStatus::TooLarge;
    bytes.resize(got);
    out.swap(bytes);
    return ReadStatus::Ok;
}
