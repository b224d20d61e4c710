// What qor-vellacor does with files a hostile or careless user hands it: damaged headers, FIFOs,
// links, outputs that name inputs, folders that cannot be written and size limits. Every failure
// must leave every existing file as it was and no temporary file behind.
#include "QORLIB/presets/QorPresetFile.h"
#include "tests/tools/CliTestSupport.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sndfile.h>

#include <csignal>
#include <sys/stat.h>

using namespace qortest;
namespace fs = std::filesystem;

namespace
{
#if defined(__SANITIZE_ADDRESS__)
constexpr long kAddressSpace = -1; // the sanitizer's shadow memory needs the whole address space
#else
constexpr long kAddressSpace = 1L << 30;
#endif

constexpr int kFlac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
constexpr size_t kFrames = 24000;

// A FLAC file whose STREAMINFO declares another total length (36 bits at byte 18: after "fLaC",
// the block header, block sizes, frame sizes, and 20 + 3 + 5 bits of rate, channels and depth).
std::string flacDeclaring(const TempDir& dir, const std::string& name, uint64_t frames)
{
    std::string bytes = fileText(writeInput(dir, "source-" + name, kFlac, 48000, 1, kFrames));
    fs::remove(dir.path() / ("source-" + name));
    EXPECT_EQ(bytes.substr(0, 4), "fLaC");
    EXPECT_EQ(uint8_t(bytes[4]) & 0x7f, 0); // STREAMINFO comes first
    uint64_t word = 0;
    for (int i = 0; i < 8; ++i)
        word = word << 8 | uint8_t(bytes[size_t(18 + i)]);
    EXPECT_EQ(word & ((uint64_t(1) << 36) - 1), kFrames);
    word = (word & ~((uint64_t(1) << 36) - 1)) | frames;
    for (int i = 7; i >= 0; --i, word >>= 8)
        bytes[size_t(18 + i)] = char(word & 0xff);
    const std::string path = (dir.path() / name).string();
    writeText(path, bytes);
    return path;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::vector<uint8_t> presetFileBytes(const char* name)
{
    QorPresetRecord record;
    for (int i = 0; i < QorPresetRecord::kNumValues; ++i)
        record.values[i] = 0.5f;
    std::memcpy(record.name, name, std::min(std::strlen(name), size_t(QorPresetRecord::kNameSize - 1)));
    return QorPresetFile::write(QorPresetFile::kKindProgram, &record, 1, vellaCorFactoryPresets::presetProduct(), 0,
                                100);
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    writeText(path.string(), std::string(bytes.begin(), bytes.end()));
}
} // namespace

TEST(FileSafety, DeclaredLengthsAreNotTrusted)
{
    TempDir dir;
    const std::string reference = (dir.path() / "reference.flac").string();
    ASSERT_EQ(qor({"render", flacDeclaring(dir, "right.flac", kFrames), reference}).exitCode, 0);
    const AudioData expected = readAudioFile(reference);
    ASSERT_EQ(expected.frames(), kFrames);

    // The format lets a header leave the length open (0): such a file is read to its end.
    const std::string open = flacDeclaring(dir, "open.flac", 0), fromOpen = (dir.path() / "open-out.flac").string();
    auto r = qor({"render", open, fromOpen});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readAudioFile(fromOpen).channels, expected.channels);

    // 2^31 and 2^36 - 1 frames declared in a small file: refused as damaged, memory bounded (the
    // address space limit would turn a reservation of the claimed length into a failure of its own).
    const std::string out = (dir.path() / "out.flac").string();
    writeText(out, "precious");
    for (const uint64_t claim : {uint64_t(1) << 31, (uint64_t(1) << 36) - 1})
    {
        SCOPED_TRACE(claim);
        const std::string in = flacDeclaring(dir, "claims.flac", claim);
        const auto before = snapshot(dir.path());
        ChildLimits limits;
        limits.addressSpaceLimit = kAddressSpace;
        r = qor({"render", in, out, "--report", (dir.path() / "r.json").string()}, limits);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_TRUE(contains(r.err, "ends after 24000 of the " + std::to_string(claim) + " frames")) << r.err;
        EXPECT_EQ(changedSince(before, dir.path()), "");
    }
}

TEST(FileSafety, ADamagedOrEmptyFileIsAnErrorAndOutStaysAsItWas)
{
    TempDir dir;
    const std::string whole = fileText(flacDeclaring(dir, "whole.flac", kFrames));
    ASSERT_GT(whole.size(), 2000u);
    writeText((dir.path() / "cut.flac").string(), whole.substr(0, whole.size() / 2));
    writeText((dir.path() / "header-only.flac").string(), whole.substr(0, 42));
    writeInput(dir, "empty.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 0);
    const std::string out = (dir.path() / "out.flac").string();
    writeText(out, "precious");
    const auto before = snapshot(dir.path());
    for (const char* name : {"cut.flac", "header-only.flac", "empty.wav"})
    {
        SCOPED_TRACE(name);
        const auto r = qor({"render", (dir.path() / name).string(), out});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(contains(r.err, "damaged")) << r.err;
        EXPECT_FALSE(contains(r.out, "-inf")) << r.out;
        EXPECT_EQ(changedSince(before, dir.path()), "");
    }
}

TEST(FileSafety, NoOutputMayNameAnInputOrAnotherOutput)
{
    TempDir dir;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1);
    const std::string out = (dir.path() / "out.wav").string(), other = (dir.path() / "other").string();
    writeText(out, "precious");
    const std::string preset = (dir.path() / "p.qor").string();
    writeBytes(preset, presetFileBytes("Mine"));
    fs::create_hard_link(in, dir.path() / "hard.wav");
    fs::create_symlink("out.wav", dir.path() / "soft.wav");
    fs::create_symlink("in.wav", dir.path() / "to-in.wav");
    const std::string sub = (dir.path() / "sub").string();
    fs::create_directories(sub);
    const std::string around = sub + "/../in.wav";

    struct Case
    {
        std::vector<std::string> extra;
        std::string outPath, mentions;
    };
    const std::vector<Case> cases = {
        {{"--report", in}, out, "--report '" + in + "' is the same file as IN"},
        {{"--plot", around}, out, "is the same file as IN"},
        {{"--plot", (dir.path() / "hard.wav").string()}, out, "is the same file as IN"},
        {{"--report", (dir.path() / "soft.wav").string()}, out, "is the same file as OUT"},
        {{"--report", other, "--plot", other}, out, "--plot '" + other + "' is the same file as --report"},
        {{"--preset-file", preset, "--report", preset}, out, "is the same file as --preset-file"},
        {{}, (dir.path() / "to-in.wav").string(), "OUT '" + (dir.path() / "to-in.wav").string() + "' is the same file as IN"},
        {{}, preset, "is the same file as --preset-file"},
    };
    const auto before = snapshot(dir.path());
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mentions);
        std::vector<std::string> args = {"render", in, c.outPath};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        if (c.outPath == preset)
            args.insert(args.end(), {"--preset-file", preset});
        const auto r = qor(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(contains(r.err, c.mentions)) << r.err;
        EXPECT_EQ(changedSince(before, dir.path()), "");
    }
}

TEST(FileSafety, ALinkedOutIsReplacedThroughTheLinkAndSpecialFilesAreRefused)
{
    TempDir dir;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1);
    const fs::path target = dir.path() / "kept" / "target.wav", link = dir.path() / "link.wav";
    fs::create_directories(target.parent_path());
    writeText(target.string(), "old");
    fs::permissions(target, fs::perms(0640));
    fs::create_symlink("kept/target.wav", link);

    auto r = qor({"render", in, link.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "kept/target.wav");
    EXPECT_EQ(readAudioFile(target.string()).frames(), kFrames);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    std::vector<std::string> names;
    for (const auto& [name, bytes] : snapshot(dir.path()))
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"in.wav", "kept", "kept/target.wav", "link.wav"}));

    // A FIFO or a folder as OUT or as a side output: refused at once, left as it was.
    const fs::path fifo = dir.path() / "fifo.wav", folder = dir.path() / "folder.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_directories(folder);
    const auto before = snapshot(dir.path());
    ChildLimits limits;
    limits.timeoutSeconds = 20;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render", in, fifo.string()},
             {"render", in, folder.string()},
             {"render", in, link.string(), "--report", fifo.string()},
             {"render", in, link.string(), "--plot", folder.string()},
             {"curves", "--plot", fifo.string()}})
    {
        SCOPED_TRACE(args[2]);
        r = qor(args, limits);
        EXPECT_EQ(r.signal, 0);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(contains(r.err, "exists and is not a regular file")) << r.err;
        EXPECT_EQ(changedSince(before, dir.path()), "");
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(FileSafety, InputsThatAreNotRegularFilesAreRefusedWithoutHanging)
{
    TempDir dir, home;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1);
    const fs::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string out = (dir.path() / "out.wav").string();
    ChildLimits limits;
    limits.timeoutSeconds = 20;
    const auto before = snapshot(dir.path());

    auto r = qor({"render", fifo.string(), out}, limits);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "cannot read '" + fifo.string() + "': not a regular file")) << r.err;
    r = qor({"render", in, out, "--preset-file", fifo.string()}, limits);
    EXPECT_EQ(r.signal, 0);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "cannot read preset file")) << r.err;
    EXPECT_EQ(changedSince(before, dir.path()), "");

    // A FIFO named like a preset in the user folder is skipped; the real preset beside it is listed.
    const fs::path folder = home.path() / "Documents" / "Qor-werk" / "User Presets" / "Qor vellaCor";
    fs::create_directories(folder / "Sub");
    ASSERT_EQ(::mkfifo((folder / "Trap.qor").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((folder / "Sub" / "Trap2.qor").c_str(), 0644), 0);
    writeBytes(folder / "Real.qor", presetFileBytes("Real"));
    const std::vector<std::pair<std::string, std::string>> env = {{"HOME", home.path().string()},
                                                                  {"QOR_SETTINGS_DIR", home.path().string()}};
    r = qor({"presets", "--json"}, limits, env);
    EXPECT_EQ(r.signal, 0);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["user"].size(), 1u);
    EXPECT_EQ(j["user"][0]["name"], "Real");
}

TEST(FileSafety, AFolderThatCannotBeWrittenChangesNothing)
{
    TempDir dir;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1);
    const std::string out = (dir.path() / "out.wav").string();
    writeText(out, "precious");
    // Root may write anywhere regardless of permission bits; no one can create a file below a file.
    const std::string blocker = (dir.path() / "blocker").string();
    writeText(blocker, "a file, not a folder");
    const auto before = snapshot(dir.path());
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render", in, blocker + "/out.wav"},
             {"render", in, out, "--report", blocker + "/r.json"},
             {"render", in, out, "--plot", blocker + "/p.png"},
             {"curves", "--plot", blocker + "/c.png"},
             {"demo", "--out", blocker + "/demo"}})
    {
        SCOPED_TRACE(args.back());
        const auto r = qor(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(contains(r.err, "Not a directory") || contains(r.err, "cannot create the folder")) << r.err;
        EXPECT_EQ(changedSince(before, dir.path()), "");
    }
}

// The old files stay whole however far the writing got: the first file cut short with an error,
// the process killed by the limit, or a late output (the picture) failing after OUT was complete.
// A run that succeeds leaves exactly its outputs and no temporary file.
TEST(FileSafety, ASizeLimitNeverCutsAnOldFileAndSuccessLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 4000);
    const std::string out = (dir.path() / "out.wav").string(), report = (dir.path() / "r.json").string(),
                      plot = (dir.path() / "p.png").string();
    const std::string old = std::string(4000, 'o');
    for (const std::string& f : {out, report, plot})
        writeText(f, old);
    const std::vector<std::string> args = {"render", in, out, "--report", report, "--plot", plot};
    const auto before = snapshot(dir.path());

    ChildLimits limits;
    limits.fileSizeLimit = 6000; // OUT needs about 8 KB
    limits.ignoreFileSizeSignal = true;
    auto r = qor(args, limits);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "cannot write '" + out + "'")) << r.err;
    EXPECT_EQ(changedSince(before, dir.path()), "");

    limits.ignoreFileSizeSignal = false;
    r = qor(args, limits);
    EXPECT_EQ(r.signal, SIGXFSZ);
    EXPECT_EQ(changedSince(before, dir.path()), "");

    limits.fileSizeLimit = 12000; // OUT and the report fit, the picture does not
    limits.ignoreFileSizeSignal = true;
    r = qor(args, limits);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(contains(r.err, "cannot write '" + plot + "'")) << r.err;
    EXPECT_EQ(changedSince(before, dir.path()), "");

    r = qor(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto after = snapshot(dir.path());
    std::vector<std::string> names;
    for (const auto& [name, bytes] : after)
    {
        names.push_back(name);
        EXPECT_NE(bytes, old) << name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"in.wav", "out.wav", "p.png", "r.json"}));
    EXPECT_EQ(readAudioFile(out).frames(), 4000u);
    EXPECT_GT(fileText(plot).size(), 12000u);
}

TEST(FileSafety, NamesAreBytesAndMayBeLong)
{
    TempDir dir, home;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1);
    // A preset name that is not UTF-8 reaches the report as U+FFFD, not as a failure.
    const std::string preset = (dir.path() / "p.qor").string(), report = (dir.path() / "r.json").string();
    writeBytes(preset, presetFileBytes("\xff\xfe" "Bad"));
    auto r = qor({"render", in, (dir.path() / "o.wav").string(), "--preset-file", preset, "--report", report});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(fileText(report))["preset"]["name"], "\xEF\xBF\xBD\xEF\xBF\xBD" "Bad");

    // OUT names up to NAME_MAX (255 bytes) work; the temporary name stays within it too.
    const std::string longOut = (dir.path() / (std::string(251, 'n') + ".wav")).string();
    r = qor({"render", in, longOut});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readAudioFile(longOut).frames(), kFrames);
    EXPECT_EQ(snapshot(dir.path()).size(), 5u); // in, p.qor, r.json, o.wav and the long one

    // User preset file names: one not UTF-8, one of 240 characters; both listed whole.
    const fs::path folder = home.path() / "Documents" / "Qor-werk" / "User Presets" / "Qor vellaCor";
    fs::create_directories(folder);
    const std::string longName(240, 'L');
    writeBytes(folder / "\xff\xfe.qor", presetFileBytes("x"));
    writeBytes(folder / (longName + ".qor"), presetFileBytes("y"));
    const std::vector<std::pair<std::string, std::string>> env = {{"HOME", home.path().string()},
                                                                  {"QOR_SETTINGS_DIR", home.path().string()}};
    r = qor({"presets", "--json"}, {}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["user"].size(), 2u);
    EXPECT_EQ(j["user"][0]["name"], "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(j["user"][1]["name"], longName);
    r = qor({"presets"}, {}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const size_t at = r.out.find(longName);
    ASSERT_NE(at, std::string::npos);
    const std::string row = r.out.substr(at, r.out.find('\n', at) - at);
    EXPECT_TRUE(row.size() > 240 && row.substr(row.size() - 2) == " 0") << row; // ends with the Valve column
}
