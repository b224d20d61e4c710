// qor-aax-host and the files it reads and writes: IN and chunk files that are FIFOs or damaged,
// OUT and the --save chunk files replaced whole and together, or not at all.
#include "tests/support/FileText.h"
#include "tests/support/TempDir.h"
#include "tests/tools/ChildProgram.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using qortest::ChildLimits;
using qortest::ChildResult;

namespace
{
std::string text(const fs::path& p) { return qortest::readText(p); }
void put(const fs::path& p, const std::string& t) { qortest::writeText(p, t); }

// Every entry below root with its content (or kind).
std::map<std::string, std::string> snapshot(const fs::path& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& e : fs::recursive_directory_iterator(root))
        entries[e.path().lexically_relative(root).string()] =
            e.is_symlink() ? "link" : e.is_regular_file() ? text(e.path()) : e.is_directory() ? "folder" : "special";
    return entries;
}

std::string changed(const std::map<std::string, std::string>& before, const fs::path& root)
{
    std::string out;
    const auto after = snapshot(root);
    for (const auto& [name, content] : after)
        if (auto it = before.find(name); it == before.end() || it->second != content)
            out += (it == before.end() ? "added " : "changed ") + name + "; ";
    for (const auto& [name, content] : before)
        if (after.count(name) == 0)
            out += "removed " + name + "; ";
    return out;
}

void writeTone(const fs::path& path, int format, sf_count_t frames)
{
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    std::vector<float> s(static_cast<size_t>(frames));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = float(0.5 * std::sin(2.0 * M_PI * 440.0 * double(i) / 48000.0));
    sf_writef_float(f, s.data(), frames);
    sf_close(f);
}

ChildResult host(std::vector<std::string> args, const ChildLimits& limits = {})
{
    args.insert(args.begin(), QOR_AAX_HOST_PROGRAM);
    return qortest::runChild(args, {}, limits);
}

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }
} // namespace

TEST(AaxHostFiles, InputsThatAreNotWholeRegularFilesAreRefused)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    ASSERT_EQ(::mkfifo((d / "fifo.wav").c_str(), 0644), 0);
    writeTone(d / "in.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 9000);
    // A FLAC cut in half, and one whose header claims 2^31 frames.
    std::string whole = text(d / "in.flac");
    put(d / "cut.flac", whole.substr(0, whole.size() / 2));
    whole[22] = char(uint8_t(whole[22]) | 0x80); // bit 31 of the 36-bit total length at byte 18
    put(d / "claims.flac", whole);
    put(d / "out.wav", "precious");
    const auto before = snapshot(d);
    ChildLimits limits;
    limits.timeoutSeconds = 20;
    for (const auto& [in, mentions] : std::vector<std::pair<std::string, std::string>>{
             {"fifo.wav", "not a regular file"}, {"cut.flac", "damaged"}, {"claims.flac", "declared"}})
    {
        SCOPED_TRACE(in);
        const auto r = host({"render", (d / in).string(), (d / "out.wav").string()}, limits);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(contains(r.err, mentions)) << r.err;
        EXPECT_EQ(changed(before, d), "");
    }
}

TEST(AaxHostFiles, OutIsReplacedWholeThroughLinksAndNeverIsASpecialFileOrTheInput)
{
    qortest::TempDir dir;
    const fs::path d = dir.path();
    writeTone(d / "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 9000);
    put(d / "target.wav", "old");
    fs::permissions(d / "target.wav", fs::perms(0640));
    fs::create_symlink("target.wav", d / "link.wav");
    auto r = host({"render", (d / "in.wav").string(), (d / "link.wav").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(d / "link.wav"));
    EXPECT_EQ(fs::status(d / "target.wav").permissions(), fs::perms(0640));
    SF_INFO info{};
    SNDFILE* f = sf_open((d / "target.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    sf_close(f);
    EXPECT_EQ(info.frames, 9000);

    ASSERT_EQ(::mkfifo((d / "fifo.wav").c_str(), 0644), 0);
    fs::create_symlink("in.wav", d / "to-in.wav");
    const auto before = snapshot(d);
    ChildLimits limits;
    limits.timeoutSeconds = 20;
    for (const auto& [out, mentions] : std::vector<std::pair<std::string, std::string>>{
             {"fifo.wav", "not a regular file"}, {"to-in.wav", "same file as the input"}})
    {
        SCOPED_TRACE(out);
        r = host({"render", (d / "in.wav").string(), (d / out).string()}, limits);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(contains(r.err, mentions)) << r.err;
        EXPECT_FALSE(contains(r.out, "rendered")) << "refused only after the work";
        EXPECT_EQ(changed(before, d), "");
    }
}

// The chunk files of one state belong together: a size limit that lets the small 'elck' through
// but not the larger 'All ' must keep the old pair, and a killed render must keep OUT and the pair.
TEST(AaxHostFiles, SavedChunksAndOutAreReplacedAsOneSet)
{
    qortest::TempDir dir;
    const fs::path d = dir.path(), state = d / "state";
    writeTone(d / "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 9000);
    auto r = host({"render", (d / "in.wav").string(), (d / "out.wav").string(), "--save", state.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_LT(fs::file_size(state / "elck.chunk"), 1000u);
    ASSERT_GT(fs::file_size(state / "All.chunk"), 1000u);
    const auto before = snapshot(d);

    const std::vector<std::string> edit = {"--set", "5: Compression=0.9", "--save", state.string()};
    ChildLimits limits;
    limits.fileSizeLimit = 1000;
    limits.ignoreFileSizeSignal = true;
    std::vector<std::string> args = {"parameters"};
    args.insert(args.end(), edit.begin(), edit.end());
    r = host(args, limits);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, "All.chunk")) << r.err;
    EXPECT_EQ(changed(before, d), "");

    limits.ignoreFileSizeSignal = false;
    r = host(args, limits);
    EXPECT_EQ(r.signal, SIGXFSZ);
    EXPECT_EQ(changed(before, d), "");

    args = {"render", (d / "in.wav").string(), (d / "out.wav").string()};
    args.insert(args.end(), edit.begin(), edit.end());
    limits.fileSizeLimit = 20000; // the chunks fit, OUT (36 KB) does not
    r = host(args, limits);
    EXPECT_EQ(r.signal, SIGXFSZ);
    EXPECT_EQ(changed(before, d), "");

    // A folder for the state that cannot be made: nothing written, OUT included.
    put(d / "blocker", "a file");
    const auto withBlocker = snapshot(d);
    args = {"render", (d / "in.wav").string(), (d / "out.wav").string(), "--save", (d / "blocker" / "st").string()};
    r = host(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, "cannot create the folder")) << r.err;
    EXPECT_EQ(changed(withBlocker, d), "");
    fs::remove(d / "blocker");

    args = {"render", (d / "in.wav").string(), (d / "out.wav").string()};
    args.insert(args.end(), edit.begin(), edit.end());
    r = host(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(changed(before, d), "changed out.wav; changed state/All.chunk; changed state/elck.chunk; ");
}

TEST(AaxHostFiles, AChunkFileThatIsAFifoIsSkippedWithoutHanging)
{
    qortest::TempDir dir;
    const fs::path d = dir.path(), state = d / "state";
    auto r = host({"parameters", "--set", "5: Compression=0.9", "--save", state.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    fs::remove(state / "elck.chunk");
    ASSERT_EQ(::mkfifo((state / "elck.chunk").c_str(), 0644), 0);
    ChildLimits limits;
    limits.timeoutSeconds = 20;
    r = host({"parameters", "--restore", state.string()}, limits);
    EXPECT_EQ(r.signal, 0);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "restored 'All '")) << r.out;
    EXPECT_FALSE(contains(r.out, "restored 'elck'")) << r.out;
    EXPECT_TRUE(contains(r.out, "Compression   0.9000")) << r.out;
}
