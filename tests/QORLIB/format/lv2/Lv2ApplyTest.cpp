// A real LV2 client: lv2apply runs a WAV file through the stereo plug-in of the build tree.
#include "tests/support/TempDir.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorIdentity.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{
bool onPath(const char* program)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "";
    size_t start = 0;
    while (start <= dirs.size())
    {
        const size_t end = dirs.find(':', start);
        const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0)
            return true;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

int run(std::vector<std::string> args, const std::string& lv2Path)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = {"LV2_PATH=" + lv2Path};
    for (char** e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("LV2_PATH=", 0) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

TEST(Lv2Apply, ProcessesAWavFileLikeTheEngine)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an instrumented module cannot be loaded into the uninstrumented lv2apply";
#endif
    if (!onPath("lv2apply"))
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
    ASSERT_EQ(run({"lv2apply", "-i", in, "-o", out, "-c", "ratio", "5", "-c", "output", "3",
                   vellaCorIdentity::kLv2UriStereo},
                  bundleParent),
              0);

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
