#include "QORLIB/platform/QorDebugOutput.h"
#include "QORLIB/presets/QorUserPresetScanner.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace qortest;
namespace fs = std::filesystem;

namespace
{
std::vector<std::string> names(const QorPresetDirectory& d, uint32_t column)
{
    std::vector<std::string> out;
    for (uint32_t i = 0; i < d.entryCount(column); ++i)
        out.push_back(d.entry(column, i)->fileName);
    return out;
}

void touch(const fs::path& p) { writeFile(p, {'x'}); }

TEST(UserPresetScanner, ListsQorFilesOfTheFolderAndItsSubFolders)
{
    TempDir root;
    const fs::path f = root.path();
    touch(f / "kick.qor");
    touch(f / "Bass.qor");
    touch(f / "upper.QOR");    // the extension is case-sensitive
    touch(f / ".qor");         // a name of only the extension
    touch(f / "notes.txt");
    fs::create_directories(f / "dir.qor");      // a folder: a column, not a preset
    touch(f / "Zeta" / "z1.qor");
    touch(f / "alpha" / "a2.qor");
    touch(f / "alpha" / "A1.qor");
    touch(f / "alpha" / "deep" / "lower.qor"); // below a column: shown in it with its path
    touch(f / "alpha" / ".cache" / "no.qor");  // dot folders are never looked into
    touch(f / ".git" / "config.qor");          // dot folders are no columns

    std::vector<std::string> trace;
    QorDebugOutput::setHandler([&](const std::string& t) { trace.push_back(t); });
    QorPresetDirectory d;
    QorUserPresetScanner::scan(f.string(), d);
    QorDebugOutput::setHandler({});

    ASSERT_EQ(d.columnCount(), 4u);
    EXPECT_EQ(d.column(0)->name(), "All");
    EXPECT_EQ(d.column(1)->name(), "alpha");
    EXPECT_EQ(d.column(2)->name(), "dir.qor");
    EXPECT_EQ(d.column(3)->name(), "Zeta");
    EXPECT_EQ(names(d, 0), (std::vector<std::string>{"A1", "a2", "Bass", "deep/lower", "kick", "z1"}));
    EXPECT_EQ(names(d, 1), (std::vector<std::string>{"A1", "a2", "deep/lower"}));
    EXPECT_EQ(d.entryCount(2), 0u);
    EXPECT_EQ(names(d, 3), (std::vector<std::string>{"z1"}));
    // Each entry knows the column of its folder after the columns were sorted.
    EXPECT_EQ(d.entry(0, 2)->folderColumn, 0);
    EXPECT_EQ(d.entry(0, 0)->folderColumn, 1);
    EXPECT_EQ(d.entry(0, 3)->folderColumn, 1);
    EXPECT_EQ(d.entry(0, 5)->folderColumn, 3);
    EXPECT_EQ(d.entry(3, 0), d.entry(0, 5)); // "All" lists the same entries
    EXPECT_EQ(d.entry(0, 0)->factoryIndex, -1);

    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0], "\nPlugin's Main Preset Folder:\t" + f.string() +
                            "\t\nLooking for *.qor files in:\t" + f.string() + "\t");
}

TEST(UserPresetScanner, MissingOrEmptyFolderLeavesOnlyAnEmptyAll)
{
    QorPresetDirectory d;
    for (const std::string& folder : {std::string(), std::string("/nonexistent/qor/folder")})
    {
        QorUserPresetScanner::scan(folder, d);
        ASSERT_EQ(d.columnCount(), 1u);
        EXPECT_EQ(d.column(0)->name(), "All");
        EXPECT_EQ(d.entryCount(0), 0u);
    }
}

// Reading a FIFO, socket or device would block or never end: only regular files are presets,
// links to them included, and a link to a folder is a column like the folder.
TEST(UserPresetScanner, OnlyRegularFilesAreOffered)
{
    TempDir root;
    const fs::path f = root.path();
    touch(f / "real.qor");
    touch(f / "Sub" / "inner.qor");
    ASSERT_EQ(::mkfifo((f / "fifo.qor").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((f / "Sub" / "fifo2.qor").c_str(), 0644), 0);
    fs::create_symlink("real.qor", f / "linked.qor");
    fs::create_symlink("fifo.qor", f / "to-fifo.qor");
    fs::create_symlink("missing.qor", f / "dangling.qor");
    fs::create_symlink("Sub", f / "Alias");
    QorPresetDirectory d;
    QorUserPresetScanner::scan(f.string(), d);
    EXPECT_EQ(names(d, 0), (std::vector<std::string>{"inner", "inner", "linked", "real"}));
    ASSERT_EQ(d.columnCount(), 3u);
    EXPECT_EQ(d.column(1)->name(), "Alias");
    EXPECT_EQ(names(d, 2), std::vector<std::string>{"inner"});
}

TEST(UserPresetScanner, FoldersBelowAColumnShowInItAndALinkLoopIsReadOnce)
{
    TempDir root;
    const fs::path f = root.path();
    touch(f / "Another" / "Deeper" / "Deep.qor");
    touch(f / "Another" / "Deeper" / "Deepest" / "Bottom.qor");
    fs::create_symlink("..", f / "Another" / "Deeper" / "up"); // back to "Another"
    QorPresetDirectory d;
    QorUserPresetScanner::scan(f.string(), d);
    ASSERT_EQ(d.columnCount(), 2u);
    EXPECT_EQ(d.column(1)->name(), "Another");
    EXPECT_EQ(names(d, 1), (std::vector<std::string>{"Deeper/Deep", "Deeper/Deepest/Bottom"}));
    EXPECT_EQ(names(d, 0), names(d, 1));
    EXPECT_EQ(d.entry(0, 0)->folderColumn, 1);
}

TEST(UserPresetScanner, LimitsOfFoldersExaminedAndPresetsPerColumn)
{
    TempDir root;
    for (int i = 0; i < 130; ++i)
        fs::create_directories(root.path() / ("folder" + std::to_string(i)));
    for (int i = 0; i < 515; ++i)
        touch(root.path() / "folder0" / (std::to_string(i) + ".qor"));
    QorPresetDirectory d;
    QorUserPresetScanner::scan(root.path().string(), d);
    // 127 entries are examined, "." and ".." among them wherever the system lists them.
    EXPECT_GE(d.columnCount(), 1u + 125u);
    EXPECT_LE(d.columnCount(), 1u + 126u);
    EXPECT_EQ(d.entryCount(0), 512u);
}

TEST(UserPresetScanner, ComparisonIgnoresCaseComparesSignedBytesAndPutsPrefixesFirst)
{
    using S = QorUserPresetScanner;
    EXPECT_TRUE(S::inOrder("abc", "ABD"));
    EXPECT_TRUE(S::inOrder("Kick", "kick 2"));
    EXPECT_FALSE(S::inOrder("kick 2", "Kick"));
    EXPECT_FALSE(S::inOrder("same", "SAME")); // equal counts as out of order
    EXPECT_TRUE(S::inOrder("ax", "_x")); // upper-cased, 'A' (65) comes before '_' (95)
    EXPECT_FALSE(S::inOrder("_x", "ax"));
    EXPECT_TRUE(S::inOrder("\xC3\xA9t\xC3\xA9", "A")); // bytes above 127 are negative
}

TEST(UserPresetScanner, ExchangeSortSwapsEqualNames)
{
    // Worked by hand: (b,B,a) -> i=0: swap b,B -> (B,b,a); swap B,a -> (a,b,B); i=1: swap b,B.
    std::vector<std::string> v{"b", "B", "a"};
    QorUserPresetScanner::exchangeSort(v, [](const std::string& s) -> const std::string& { return s; });
    EXPECT_EQ(v, (std::vector<std::string>{"a", "B", "b"}));
}
} // namespace
