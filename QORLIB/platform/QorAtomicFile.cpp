#include "QORLIB/platform/QorAtomicFile.h"

#include "QORLIB/platform/QorPendingFile.h"
#include "QORLIB/platform/QorRegularFile.h"

#include <cerrno>
#include <unistd.h>

bool QorAtomicFile::write(const std::string& path, const void* data, std::size_t size,
                          std::string& errorText)
{
    QorPendingFile file;
    return file.begin(path, errorText) && file.write(data, size, errorText) && file.finish(errorText) &&
           file.commit(errorText);
}

bool QorAtomicFile::writeSet(const std::vector<Item>& files, std::string& errorText)
{
    std::vector<QorPendingFile> pending(files.size());
    std::vector<QorPendingFile*> all;
    for (std::size_t i = 0; i < files.size(); ++i)
    {
        if (!pending[i].begin(files[i].path, errorText) ||
            !pending[i].write(files[i].bytes.data(), files[i].bytes.size(), errorText) ||
            !pending[i].finish(errorText))
        {
            errorText = files[i].path + ": " + errorText;
            return false;
        }
        all.push_back(&pending[i]);
    }
    return QorPendingFile::commitAll(all, errorText);
}

QorAtomicFile::ReadStatus QorAtomicFile::read(const std::string& path, std::vector<uint8_t>& out,
                                              std::size_t limit)
{
    QorRegularFile::Status status = QorRegularFile::Status::Ok;
    const int fd = QorRegularFile::openForReading(path, status);
    if (fd < 0)
        return status == QorRegularFile::Status::Error ? ReadStatus::Error : ReadStatus::NotFound;
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
