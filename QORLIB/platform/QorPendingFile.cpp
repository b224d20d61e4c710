#include "QORLIB/platform/QorPendingFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int kMaxLinkHops = 40; // as the kernel's own limit
constexpr std::size_t kRandomLength = 6;

// A hidden name beside the target that stays within NAME_MAX however long the target's is.
std::string hiddenName(const std::string& folder, const std::string& leaf)
{
    static unsigned long counter = 0;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long x = (static_cast<unsigned long long>(now.tv_nsec) << 20) ^
                           static_cast<unsigned long long>(::getpid()) ^ (++counter * 0x9E3779B97F4A7C15ull);
    std::string suffix;
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (std::size_t i = 0; i < kRandomLength; ++i, x /= 62)
        suffix += kChars[x % 62];
    const std::size_t room = NAME_MAX - 2 - kRandomLength;
    return folder + "/." + leaf.substr(0, std::min(leaf.size(), room)) + "." + suffix;
}

bool isLink(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void syncFolder(const std::string& folder)
{
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0)
    {
        ::fsync(dir);
        ::close(dir);
    }
}
} // namespace

QorPendingFile::~QorPendingFile() { discard(); }

QorPendingFile::QorPendingFile(QorPendingFile&& other) noexcept
    : fd_(other.fd_), target_(std::move(other.target_)), folder_(std::move(other.folder_)),
      leaf_(std::move(other.leaf_)), tempName_(std::move(other.tempName_)), existed_(other.existed_)
{
    other.fd_ = -1;
    other.tempName_.clear();
}

std::string QorPendingFile::resolve(const std::string& path)
{
    std::string p = path;
    for (int hop = 0; hop < kMaxLinkHops && isLink(p); ++hop)
    {
        std::vector<char> buffer(PATH_MAX + 1);
        const ssize_t n = ::readlink(p.c_str(), buffer.data(), buffer.size() - 1);
        if (n <= 0)
            break;
        const std::string to(buffer.data(), std::size_t(n));
        const std::size_t slash = p.rfind('/');
        p = to[0] == '/' || slash == std::string::npos ? to : p.substr(0, slash + 1) + to;
    }
    return p;
}

bool QorPendingFile::sameFile(const std::string& a, const std::string& b)
{
    struct stat sa{}, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    std::error_code ec;
    return std::filesystem::weakly_canonical(resolve(a), ec) == std::filesystem::weakly_canonical(resolve(b), ec);
}

bool QorPendingFile::begin(const std::string& path, std::string& errorText)
{
    discard();
    target_ = resolve(path);
    const std::size_t slash = target_.rfind('/');
    folder_ = slash == std::string::npos ? "." : slash == 0 ? "/" : target_.substr(0, slash);
    leaf_ = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    if (leaf_.empty())
    {
        errorText = "no file name";
        return false;
    }
    struct stat old{};
    existed_ = ::stat(target_.c_str(), &old) == 0;
    if (existed_ && !S_ISREG(old.st_mode))
    {
        errorText = "not a regular file";
        return false;
    }
    if (!existed_ && errno != ENOENT)
    {
        errorText = std::strerror(errno);
        return false;
    }
    // An unnamed file is given its name through /proc at commit; without /proc it could not be.
    const bool unnamed = ::access("/proc/self/fd", X_OK) == 0;
    fd_ = unnamed ? ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600) : -1;
    if (fd_ < 0 && (!unnamed || errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
    {
        // No unnamed files on this file system: a hidden named one, removed on failure.
        std::string pattern = hiddenName(folder_, leaf_);
        pattern.replace(pattern.size() - kRandomLength, kRandomLength, kRandomLength, 'X');
        fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd_ >= 0)
            tempName_ = pattern;
    }
    if (fd_ < 0)
    {
        errorText = std::strerror(errno);
        return false;
    }
    if (existed_ && ::fchown(fd_, old.st_uid, old.st_gid) != 0)
    {
        // Only root may give a file away; the replacement then belongs to whoever writes it.
    }
    ::fchmod(fd_, existed_ ? (old.st_mode & 07777) : 0644);
    return true;
}

bool QorPendingFile::write(const void* data, std::size_t size, std::string& errorText)
{
    auto p = static_cast<const unsigned char*>(data);
    while (size > 0)
    {
        const ssize_t n = ::write(fd_, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            errorText = n < 0 ? std::strerror(errno) : "nothing written";
            return false;
        }
        p += n;
        size -= std::size_t(n);
    }
    return true;
}

bool QorPendingFile::finish(std::string& errorText)
{
    if (fd_ < 0 || ::fsync(fd_) != 0)
    {
        errorText = fd_ < 0 ? "no file begun" : std::strerror(errno);
        return false;
    }
    return true;
}

bool QorPendingFile::linkInto(std::string& name, std::string& errorText)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        name = hiddenName(folder_, leaf_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        errorText = std::strerror(errno);
        break;
    }
    name.clear();
    if (errorText.empty())
        errorText = "no free temporary name";
    return false;
}

bool QorPendingFile::commit(std::string& errorText)
{
    if (fd_ < 0)
    {
        errorText = "no file begun";
        return false;
    }
    if (tempName_.empty() && !linkInto(tempName_, errorText))
        return false;
    if (std::rename(tempName_.c_str(), target_.c_str()) != 0)
    {
        errorText = std::strerror(errno);
        return false;
    }
    tempName_.clear();
    ::close(fd_);
    fd_ = -1;
    syncFolder(folder_);
    return true;
}

void QorPendingFile::discard()
{
    if (!tempName_.empty())
        ::unlink(tempName_.c_str());
    tempName_.clear();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool QorPendingFile::commitAll(std::vector<QorPendingFile*>& files, std::string& errorText)
{
    // A second name for each old file keeps it until the whole set is in place.
    std::vector<std::string> keep(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        if (files[i]->existed_)
        {
            keep[i] = hiddenName(files[i]->folder_, files[i]->leaf_);
            if (::link(files[i]->target_.c_str(), keep[i].c_str()) != 0)
                keep[i].clear();
        }
    std::size_t done = 0;
    while (done < files.size() && files[done]->commit(errorText))
        ++done;
    const bool ok = done == files.size();
    for (std::size_t i = 0; i < files.size(); ++i)
    {
        if (!ok && i < done)
        {
            if (!keep[i].empty() && std::rename(keep[i].c_str(), files[i]->target_.c_str()) == 0)
                keep[i].clear();
            else if (!files[i]->existed_)
                ::unlink(files[i]->target_.c_str());
        }
        if (!ok)
            files[i]->discard();
        if (!keep[i].empty())
            ::unlink(keep[i].c_str());
    }
    return ok;
}
