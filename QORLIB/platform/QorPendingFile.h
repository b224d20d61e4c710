#pragma once

#include <string>
#include <vector>

// One file being replaced. The new bytes go to an unnamed file in the target's folder (O_TMPFILE;
// a named hidden one where the file system lacks it), which takes the target's place only at
// commit: a failed or killed run leaves the old file as it was and, with O_TMPFILE, no temporary
// file behind. A link is followed and the file it names is replaced; an existing target that is
// not a regular file (FIFO, device, folder) is refused. The replacement keeps the old file's
// permission bits; a new file gets rw-r--r--.
class QorPendingFile
{
public:
    QorPendingFile() = default;
    ~QorPendingFile(); // discards what was not committed
    QorPendingFile(QorPendingFile&& other) noexcept;
    QorPendingFile& operator=(QorPendingFile&&) = delete;
    QorPendingFile(const QorPendingFile&) = delete;
    QorPendingFile& operator=(const QorPendingFile&) = delete;

    // False with errorText set when path cannot be replaced.
    bool begin(const std::string& path, std::string& errorText);
    int fd() const { return fd_; }
    // The file that commit replaces: path with its links followed.
    const std::string& target() const { return target_; }

    bool write(const void* data, std::size_t size, std::string& errorText);
    // Flushes the bytes to the disk; after it only the rename is left to do.
    bool finish(std::string& errorText);
    bool commit(std::string& errorText);
    void discard();

    // Commits a set of finished files that belong together. When one cannot be put in place,
    // those already replaced get their old files back (or are removed when they were new), so
    // the old set stays whole.
    static bool commitAll(std::vector<QorPendingFile*>& files, std::string& errorText);

    // The file a path leads to once its links are followed (the path itself when it is no link).
    static std::string resolve(const std::string& path);
    // True when both paths lead to the same file: the same inode when both exist, else the same
    // path once links are followed.
    static bool sameFile(const std::string& a, const std::string& b);

private:
    bool linkInto(std::string& name, std::string& errorText);

    int fd_ = -1;
    std::string target_, folder_, leaf_;
    std::string tempName_; // set while a named temporary file exists
    bool existed_ = false;
};
