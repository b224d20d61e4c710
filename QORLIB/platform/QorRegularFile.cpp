#include "QORLIB/platform/QorRegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int QorRegularFile::openForReading(const std::string& path, Status& status)
{
    // O_NONBLOCK only for the open itself: a FIFO without a writer opens at once instead of
    // waiting, and fstat then tells what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
    {
        status = errno == ENOENT || errno == ENOTDIR ? Status::NotFound : Status::Error;
        return -1;
    }
    struct stat st{};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode))
    {
        const int error = errno;
        ::close(fd);
        status = known ? Status::NotRegular : Status::Error;
        errno = error;
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
    {
        ::close(fd);
        status = Status::Error;
        return -1;
    }
    status = Status::Ok;
    return fd;
}

std::string QorRegularFile::describe(Status status, int error)
{
    switch (status)
    {
    case Status::Ok: return "ok";
    case Status::NotFound: return "no such file";
    case Status::NotRegular: return "not a regular file";
    default: return std::strerror(error);
    }
}
