// Replacing files safely: links followed, special files refused, permission bits kept, nothing
// left behind by a failure or a kill, and sets of files replaced all together or not at all.
#include "QORLIB/platform/QorAtomicFile.h"
#include "QORLIB/platform/QorPendingFile.h"
#include "QORLIB/platform/QorRegularFile.h"
#include "QORLIB/platform/QorSettingsStore.h"
#include "tests/support/FileText.h"
#include "tests/QORLIB/platform/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
std::string text(const fs::path& p) { return qortest::readText(p); }
void put(const fs::path& p, const std::string& t) { qortest::writeText(p, t); }

bool write(const fs::path& p, const std::string& t, std::string& error)
{
    return QorAtomicFile::write(p.string(), t.data(), t.size(), error);
}

// Names in a folder (not following links), sorted.
std::vector<std::string> names(const fs::path& folder)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

unsigned mode(const fs::path& p)
{
    struct stat st{};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

// A read that would block forever on a FIFO ends the test binary instead of hanging it.
struct HangGuard
{
    HangGuard() { ::alarm(20); }
    ~HangGuard() { ::alarm(0); }
};
} // namespace

TEST(PendingFile, LinksAreFollowedAndTheReplacementKeepsThePermissionBits)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    fs::create_directories(d / "real");
    put(d / "real" / "file", "old");
    fs::permissions(d / "real" / "file", fs::perms(0600));
    fs::create_symlink("real/file", d / "b");
    fs::create_symlink(d / "b", d / "a"); // absolute, to a relative one
    std::string error;
    ASSERT_TRUE(write(d / "a", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(d / "a"));
    EXPECT_TRUE(fs::is_symlink(d / "b"));
    EXPECT_EQ(text(d / "real" / "file"), "new");
    EXPECT_EQ(mode(d / "real" / "file"), 0600u);
    EXPECT_EQ(names(d / "real"), std::vector<std::string>{"file"});

    // A link to a file not yet there creates that file; a new file is rw-r--r--.
    fs::create_symlink("real/fresh", d / "c");
    ASSERT_TRUE(write(d / "c", "fresh", error)) << error;
    EXPECT_TRUE(fs::is_symlink(d / "c"));
    EXPECT_EQ(text(d / "real" / "fresh"), "fresh");
    EXPECT_EQ(mode(d / "real" / "fresh"), 0644u);
    EXPECT_EQ(QorPendingFile::resolve((d / "a").string()), (d / "real/file").string());
}

TEST(PendingFile, SpecialFilesAndUnwritableFoldersAreRefusedAndLeftAsTheyWere)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0644), 0);
    fs::create_directories(d / "folder");
    fs::create_symlink("fifo", d / "to-fifo");
    put(d / "plain", "a file");
    const auto before = names(d);
    std::string error;
    for (const char* name : {"fifo", "folder", "to-fifo"})
    {
        error.clear();
        EXPECT_FALSE(write(d / name, "x", error)) << name;
        EXPECT_EQ(error, "not a regular file") << name;
    }
    // Root writes anywhere, whatever the permission bits say; below a plain file no one can.
    EXPECT_FALSE(write(d / "plain" / "below", "x", error));
    EXPECT_EQ(error, "Not a directory");
    EXPECT_FALSE(write(d / "missing" / "below", "x", error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(names(d), before);
    EXPECT_TRUE(fs::is_fifo(d / "fifo"));
    EXPECT_EQ(names(d / "folder"), std::vector<std::string>{});
    EXPECT_EQ(text(d / "plain"), "a file");
}

TEST(PendingFile, NamesUpToNameMaxAndAKilledWriterLeavesNothingBehind)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    const std::string longest(NAME_MAX, 'n');
    std::string error;
    ASSERT_TRUE(write(d / longest, "long", error)) << error;
    ASSERT_TRUE(write(d / longest, "longer", error)) << error;
    EXPECT_EQ(text(d / longest), "longer");
    EXPECT_EQ(names(d), std::vector<std::string>{longest});

    // Killed halfway through writing, and killed with the bytes complete but not yet committed.
    put(d / "kept", "old");
    for (const bool finished : {false, true})
    {
        const pid_t child = ::fork();
        if (child == 0)
        {
            QorPendingFile file;
            std::string e;
            const std::string half(100000, 'h');
            if (file.begin((d / "kept").string(), e) && file.write(half.data(), half.size(), e) &&
                (!finished || file.finish(e)))
                ::raise(SIGKILL);
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child did not get as far";
        EXPECT_EQ(names(d), (std::vector<std::string>{"kept", longest}));
        EXPECT_EQ(text(d / "kept"), "old");
    }
}

TEST(PendingFile, ASetIsReplacedWholeOrNotAtAll)
{
    qortest::TempDir dir;
    const fs::path a = dir.path() / "A", b = dir.path() / "B";
    fs::create_directories(a);
    fs::create_directories(b);
    put(a / "x", "old x");
    put(b / "y", "old y");

    // The last file of the set cannot be put in place (its folder went away meanwhile): the
    // replaced one gets its old bytes back and the new one is removed.
    QorPendingFile x, z, y;
    std::string error;
    for (auto [file, path] : {std::pair{&x, a / "x"}, {&z, a / "z"}, {&y, b / "y"}})
        ASSERT_TRUE(file->begin(path.string(), error) && file->write("new", 3, error) && file->finish(error)) << error;
    fs::rename(b, dir.path() / "B2");
    std::vector<QorPendingFile*> set = {&x, &z, &y};
    EXPECT_FALSE(QorPendingFile::commitAll(set, error));
    EXPECT_EQ(text(a / "x"), "old x");
    EXPECT_EQ(names(a), std::vector<std::string>{"x"});
    EXPECT_EQ(text(dir.path() / "B2" / "y"), "old y");
    EXPECT_EQ(names(dir.path() / "B2"), std::vector<std::string>{"y"});

    // A member refused before anything is committed leaves every old file.
    fs::rename(dir.path() / "B2", b);
    ASSERT_EQ(::mkfifo((b / "fifo").c_str(), 0644), 0);
    EXPECT_FALSE(QorAtomicFile::writeSet({{(a / "x").string(), {'n'}}, {(b / "fifo").string(), {'n'}}}, error));
    EXPECT_EQ(text(a / "x"), "old x");
    EXPECT_TRUE(QorAtomicFile::writeSet({{(a / "x").string(), {'1'}}, {(b / "y").string(), {'2'}}}, error)) << error;
    EXPECT_EQ(text(a / "x"), "1");
    EXPECT_EQ(text(b / "y"), "2");
    EXPECT_EQ(names(a), std::vector<std::string>{"x"});
    EXPECT_EQ(names(b), (std::vector<std::string>{"fifo", "y"}));
}

TEST(PendingFile, SameFileComparesFilesNotNames)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    put(d / "f", "x");
    fs::create_hard_link(d / "f", d / "hard");
    fs::create_symlink("f", d / "soft");
    fs::create_directories(d / "sub");
    fs::create_symlink("new", d / "to-new");
    EXPECT_TRUE(QorPendingFile::sameFile((d / "f").string(), (d / "hard").string()));
    EXPECT_TRUE(QorPendingFile::sameFile((d / "soft").string(), (d / "sub" / ".." / "f").string()));
    EXPECT_TRUE(QorPendingFile::sameFile((d / "to-new").string(), (d / "sub" / ".." / "new").string()));
    EXPECT_FALSE(QorPendingFile::sameFile((d / "f").string(), (d / "new").string()));
    EXPECT_FALSE(QorPendingFile::sameFile((d / "new").string(), (d / "other").string()));
}

TEST(RegularFile, ReadsRefuseWhatIsNotARegularFileWithoutBlocking)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0644), 0);
    fs::create_directories(d / "K");
    ASSERT_EQ(::mkfifo((d / "K" / "value").c_str(), 0644), 0);
    put(d / "plain", "bytes");
    fs::create_symlink("plain", d / "link");
    HangGuard guard;
    QorRegularFile::Status status{};
    EXPECT_EQ(QorRegularFile::openForReading((d / "fifo").string(), status), -1);
    EXPECT_EQ(status, QorRegularFile::Status::NotRegular);
    EXPECT_EQ(QorRegularFile::openForReading(d.string(), status), -1);
    EXPECT_EQ(status, QorRegularFile::Status::NotRegular);
    EXPECT_EQ(QorRegularFile::openForReading((d / "none").string(), status), -1);
    EXPECT_EQ(status, QorRegularFile::Status::NotFound);

    std::vector<uint8_t> out;
    EXPECT_EQ(QorAtomicFile::read((d / "fifo").string(), out, 100), QorAtomicFile::ReadStatus::NotFound);
    ASSERT_EQ(QorAtomicFile::read((d / "link").string(), out, 100), QorAtomicFile::ReadStatus::Ok);
    EXPECT_EQ(std::string(out.begin(), out.end()), "bytes");
    // The read descriptor blocks again: a regular file reads whole even in one call.
    const int fd = QorRegularFile::openForReading((d / "plain").string(), status);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
    ::close(fd);

    // A settings value that is a FIFO reads as missing.
    qortest::ScopedEnv root("QOR_SETTINGS_DIR", d.string());
    EXPECT_EQ(QorSettingsStore::readValue("K", "value", out, 100), QorSettingsStore::kNotFound);
}
