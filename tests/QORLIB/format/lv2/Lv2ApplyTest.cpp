// A real LV2 client: lv2apply runs a WAV file through the stereo plug-in of the build tree.
#include "QORLIB/platform/QorProcessRunner.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorIdentity.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

TEST(Lv2Apply, ProcessesAWavFileLikeTheEngine)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an instrumented module cannot be loaded into the uninstrumented lv2apply";
#endif
    if (!QorProcessRunner::onPath("lv2apply"))
        GTEST_SKIP() << "lv2apply is not installed (Debian package lilv-utils)";

    qortest::TempDir dir("qor-lv2apply");
    const std::string in = (dir.path() / "in.wav").string(), out = (dir.path() / "out.wav").string();
    const int frames = 48000;
    std::vector<float> interleaved(2 * frames);
    for (int i = 0; i < frames; ++i)
    {
        interleaved[2 * i] = float(0.5 * std::sin(2.0 * 3.141592653589793 * 440.0 * i / 48000.0));
        interleaved[2 * i + 1] = float(0.3 * std::sin(2.0 * 3.141592653589793 * 97.0 * i / 48000.0));
    }
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(in.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    sf_writef_float(f, interleaved.data(), frames);
    sf_close(f);

    const std::string bundleParent = std::string(QOR_LV2_BUNDLE_DIR) + "/..";
    const auto run = qortest::runProgram({"lv2apply", "-i", in, "-o", out, "-c", "ratio", "5", "-c", "output", "3",
                                          vellaCorIdentity::kLv2UriStereo},
                                         {{"LV2_PATH", bundleParent}});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    SF_INFO outInfo{};
    SNDFILE* g = sf_open(out.c_str(), SFM_READ, &outInfo);
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(outInfo.channels, 2);
    ASSERT_EQ(outInfo.frames, frames);
    std::vector<float> result(2 * frames);
    sf_readf_float(g, result.data(), frames);
    sf_close(g);

    vellaCorEffect e;
    e.setSampleRate(48000.0);
    e.setParameter(2, 5.0 / 6.0);
    e.setParameter(6, 0.1);
    e.reset();
    std::vector<float> l(frames), r(frames), ol(frames), orr(frames);
    for (int i = 0; i < frames; ++i)
        l[i] = interleaved[2 * i], r[i] = interleaved[2 * i + 1];
    float* ip[2] = {l.data(), r.data()};
    float* op[2] = {ol.data(), orr.data()};
    e.process(ip, op, frames);
    double largest = 0.0;
    for (int i = 0; i < frames; ++i)
    {
        largest = std::max(largest, double(std::fabs(result[2 * i] - ol[i])));
        largest = std::max(largest, double(std::fabs(result[2 * i + 1] - orr[i])));
    }
    EXPECT_LE(largest, 1e-6); // the output file may be written at a different sample type
}
