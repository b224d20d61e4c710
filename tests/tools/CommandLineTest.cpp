// The qor-vellacor program as a user runs it.
#include "tests/tools/CliTestSupport.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sndfile.h>

#include <map>

using namespace qortest;

namespace
{
// The engine driven directly: fresh instance, values set, reset, whole file in 512-frame blocks.
std::vector<std::vector<float>> engine(const std::map<uint32_t, double>& values, const AudioData& in)
{
    vellaCorEffect e;
    e.setSampleRate(in.sampleRate);
    for (const auto& [i, v] : values)
        e.setParameter(i, v);
    e.reset();
    std::vector<std::vector<float>> out(in.channels.size(), std::vector<float>(in.frames()));
    for (size_t pos = 0; pos < in.frames(); pos += 512)
    {
        const int32_t n = int32_t(std::min<size_t>(512, in.frames() - pos));
        float* i[2] = {const_cast<float*>(in.channels[0].data()) + pos,
                       in.channels.size() > 1 ? const_cast<float*>(in.channels[1].data()) + pos : nullptr};
        float* o[2] = {out[0].data() + pos, out.size() > 1 ? out[1].data() + pos : nullptr};
        e.process(i, o, n);
    }
    return out;
}

// The factory defaults (preset 0) as the engine sees them.
std::map<uint32_t, double> defaults()
{
    return {{0, 1.0}, {1, 0.5}, {2, 0.5}, {3, 0.5}, {4, 0.5}, {5, 0.5}, {6, 0.15}, {7, 0.5},
            {8, 0.5}, {9, 0.5}, {10, 0.5}, {11, 0.5}};
}
} // namespace

TEST(CommandLine, RenderWithSetAndPresetMatchesTheEngine)
{
    qortest::TempDir dir;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2);
    const std::string out1 = (dir.path() / "set.wav").string(), out2 = (dir.path() / "preset.wav").string();
    const AudioData input = readAudioFile(in);

    auto r = qor({"render", in, out1, "--set", "Ratio=6:1", "--set", "time=2.5", "--set", "AttackRatio=x0.25",
                  "--set", "Process=Clear", "--set", "Output=9", "--set", "ValveLevel=+2", "--set", "Compression=7"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto expected = defaults();
    expected[2] = 5.0 / 6.0;
    expected[4] = 0.25;
    expected[3] = 0.0;
    expected[0] = 0.5;
    expected[6] = 0.3;
    expected[7] = 5.0 / 6.0;
    expected[5] = 0.7;
    EXPECT_EQ(readAudioFile(out1).channels, engine(expected, input));

    r = qor({"render", in, out2, "--preset", "Hats Smasher"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // "Hats Smasher": Valve, 10:1, x1, Time 0.00, Compression 0.775, Output 0.425.
    auto hats = defaults();
    hats[2] = 1.0;
    hats[4] = 0.0;
    hats[5] = 0.775;
    hats[6] = 0.425;
    EXPECT_EQ(readAudioFile(out2).channels, engine(hats, input));
    EXPECT_NE(r.out.find("Hats Smasher"), std::string::npos);
}

TEST(CommandLine, OutputKeepsTheInputsFormatRateAndType)
{
    qortest::TempDir dir;
    struct Case
    {
        const char* name;
        int format, rate;
        size_t channels;
    };
    for (const Case c : {Case{"a.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 44100, 2},
                         Case{"b.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 96000, 1},
                         Case{"c.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 22050, 2},
                         Case{"d.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 192000, 1}})
    {
        SCOPED_TRACE(c.name);
        const std::string in = writeInput(dir, c.name, c.format, c.rate, c.channels);
        const std::string out = (dir.path() / (std::string("out-") + c.name)).string();
        const auto r = qor({"render", in, out});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        SF_INFO info{};
        SNDFILE* f = sf_open(out.c_str(), SFM_READ, &info);
        ASSERT_NE(f, nullptr);
        sf_close(f);
        EXPECT_EQ(info.format, c.format);
        EXPECT_EQ(info.samplerate, c.rate);
        EXPECT_EQ(size_t(info.channels), c.channels);
        EXPECT_EQ(info.frames, 24000);
    }
}

TEST(CommandLine, BadInputGetsOneClearErrorAndLeavesOutUntouched)
{
    qortest::TempDir dir;
    const std::string in = writeInput(dir, "in.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1);
    const std::string three = writeInput(dir, "three.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 3);
    const std::string slow = writeInput(dir, "slow.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1);
    const std::string out = (dir.path() / "out.wav").string();
    writeText(out, "precious");
    const std::string notAudio = (dir.path() / "text.wav").string();
    writeText(notAudio, "this is not audio");

    struct Case
    {
        std::vector<std::string> args;
        const char* mentions;
    };
    const std::vector<Case> cases = {
        {{"render", (dir.path() / "missing.wav").string(), out}, "no such file"},
        {{"render", notAudio, out}, "cannot read"},
        {{"render", three, out}, "3 channels"},
        {{"render", slow, out}, "8000 Hz"},
        {{"render", in, out, "--preset", "Nope"}, "unknown preset 'Nope'"},
        {{"render", in, out, "--preset", "77"}, "unknown preset '77'"},
        {{"render", in, out, "--set", "Loudness=3"}, "unknown parameter 'Loudness'"},
        {{"render", in, out, "--set", "Ratio=11:1"}, "bad value '11:1' for Ratio"},
        {{"render", in, out, "--set", "Time=12"}, "bad value '12' for Time"},
        {{"render", in, out, "--block", "0"}, "bad --block"},
        {{"render", in, out, "--preset-file", (dir.path() / "none.qor").string()}, "cannot read preset file"},
        {{"render", in, out, "--preset-file", notAudio}, "is not a Qor vellaCor preset file"},
        {{"render", in, (dir.path() / "." / "in.wav").string()}, "same file as IN"},
        {{"render", in}, "OUT"},
    };
    // Every file as it was and nothing added, after each case: no case may write anything.
    const auto before = snapshot(dir.path());
    for (const Case& c : cases)
    {
        const auto r = qor(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.mentions;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(changedSince(before, dir.path()), "") << c.mentions;
    }
}

TEST(CommandLine, DemoWritesItsFilesAndTheReportHasEveryField)
{
    qortest::TempDir dir;
    const std::string demoDir = (dir.path() / "demo").string();
    auto r = qor({"demo", "--out", demoDir});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* f : {"demo-in.wav", "demo-out.wav", "demo.png"})
        EXPECT_TRUE(std::filesystem::file_size(std::filesystem::path(demoDir) / f) > 1000) << f;
    EXPECT_NE(r.out.find("gain reduction"), std::string::npos);
    EXPECT_NE(r.out.find("x real time"), std::string::npos);
    const AudioData demo = readAudioFile(demoDir + "/demo-in.wav");
    EXPECT_EQ(demo.sampleRate, 48000);
    EXPECT_EQ(demo.channels.size(), 2u);
    EXPECT_NEAR(double(demo.frames()) / 48000.0, 10.0, 0.5);

    const std::string report = (dir.path() / "r.json").string(), plot = (dir.path() / "r.png").string();
    r = qor({"render", demoDir + "/demo-in.wav", (dir.path() / "o.wav").string(), "--report", report, "--plot", plot,
             "--preset", "Kick"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(fileText(report));
    for (const char* key : {"preset", "settings", "sample_rate", "channels", "frames", "duration_seconds", "input",
                            "output", "gain_reduction", "processing_seconds", "speed_x_realtime"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["preset"]["name"], "Kick");
    EXPECT_EQ(j["settings"]["Time"]["display"], "3.00");
    EXPECT_EQ(j["settings"].size(), 7u);
    EXPECT_EQ(j["input"].size(), 2u);
    for (const char* key : {"peak", "peak_dbfs", "rms", "rms_dbfs"})
        EXPECT_TRUE(j["output"][1].contains(key)) << key;
    for (const char* key : {"end", "max", "mean"})
        EXPECT_TRUE(j["gain_reduction"].contains(key)) << key;
    EXPECT_GT(j["gain_reduction"]["max"].get<double>(), j["gain_reduction"]["mean"].get<double>());
    EXPECT_GT(std::filesystem::file_size(plot), 10000u);
}

TEST(CommandLine, PresetsAndCurves)
{
    auto r = qor({"presets", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["factory"].size(), 43u);
    EXPECT_EQ(j["factory"][10]["name"], "Glue Things Together");
    EXPECT_EQ(j["factory"][10]["category"], "Bus Compression");
    EXPECT_EQ(j["factory"][23]["values"]["Process"], "Clear");
    EXPECT_EQ(j["factory"][11]["values"]["Output"], "13.00");
    EXPECT_TRUE(j["user"].is_array());

    r = qor({"presets"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("Snare Piccolo Top 2"), std::string::npos);

    qortest::TempDir dir;
    const std::string png = (dir.path() / "curves.png").string();
    r = qor({"curves", "--plot", png});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GT(std::filesystem::file_size(png), 10000u);
}

#ifdef QOR_HAVE_EDITOR
TEST(CommandLine, EditorScreenshotAtAZoom)
{
    qortest::TempDir dir;
    const std::string png = (dir.path() / "editor.png").string();
    auto r = qor({"editor", "--screenshot", png, "--zoom", "1.5"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = fileText(png);
    ASSERT_GT(bytes.size(), 24u);
    auto word = [&](size_t at)
    { return uint32_t(uint8_t(bytes[at])) << 24 | uint32_t(uint8_t(bytes[at + 1])) << 16 |
             uint32_t(uint8_t(bytes[at + 2])) << 8 | uint32_t(uint8_t(bytes[at + 3])); };
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(word(16), 600u); // 400 × 327 points at 1.5
    EXPECT_EQ(word(20), 490u);
    r = qor({"editor", "--screenshot", png, "--zoom", "9"});
    EXPECT_EQ(r.exitCode, 2);
}
#endif
