#include "tools/VellaCorCommands.h"

#include "tools/AudioFile.h"
#include "tools/CliError.h"
#include "tools/CurvesPlot.h"
#include "tools/DemoSignal.h"
#include "tools/PresetListing.h"
#include "tools/ProgressBar.h"
#include "tools/RenderPlot.h"
#include "tools/RenderReport.h"
#include "tools/Renderer.h"

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace
{
constexpr double kMinRate = 22050.0, kMaxRate = 192000.0;
constexpr int kMaxBlock = 65536;

std::string db(double linear)
{
    const double v = toDbfs(linear);
    char text[32];
    std::snprintf(text, sizeof text, std::isfinite(v) ? "%.1f" : "-inf", v);
    return text;
}

void printSummary(const RenderResult& r, double seconds)
{
    auto channelList = [](const std::vector<ChannelLevels>& levels, bool peak)
    {
        std::string s;
        for (size_t c = 0; c < levels.size(); ++c)
            s += (c ? " / " : "") + db(peak ? levels[c].peak : levels[c].rms);
        return s;
    };
    std::printf("  input   peak %s dBFS   rms %s dBFS\n", channelList(r.inputLevels, true).c_str(),
                channelList(r.inputLevels, false).c_str());
    std::printf("  output  peak %s dBFS   rms %s dBFS\n", channelList(r.outputLevels, true).c_str(),
                channelList(r.outputLevels, false).c_str());
    std::printf("  gain reduction  max %.1f dB   average %.1f dB   (meter %.3f at the end)\n",
                -toDbfs(1.0 - r.meterMax), -toDbfs(1.0 - r.meterMean), r.meterEnd);
    std::printf("  speed   %.0fx real time (%.1f s of audio in %.3f s)\n",
                r.processingSeconds > 0 ? seconds / r.processingSeconds : 0.0, seconds, r.processingSeconds);
}
} // namespace

int runDemo(const std::string& outDir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (!fs::is_directory(outDir, ec))
        throw CliError("cannot create the folder '" + outDir + "'");
    AudioData input;
    input.sampleRate = kDemoSampleRate;
    input.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    input.channels = makeDemoSignal();
    const RenderSettings settings = defaultSettings();
    const RenderResult result = renderThroughEngine(input.channels, input.sampleRate, settings, 512);
    AudioData output = input;
    output.channels = result.output;
    const std::string in = (fs::path(outDir) / "demo-in.wav").string();
    const std::string out = (fs::path(outDir) / "demo-out.wav").string();
    const std::string png = (fs::path(outDir) / "demo.png").string();
    writeAudioFileAtomically(in, input);
    writeAudioFileAtomically(out, output);
    writeRenderPlot(png, input.channels, input.sampleRate, result, settings, "built-in demo, 48 kHz stereo");
    const double seconds = double(input.frames()) / input.sampleRate;
    std::printf("Qor vellaCor demo: %.1f s at %d Hz, stereo, factory preset 0 \"%s\" (%s)\n", seconds,
                input.sampleRate, settings.presetName.c_str(), describeSettings(settings).c_str());
    printSummary(result, seconds);
    std::printf("  wrote %s, %s and %s\n", in.c_str(), out.c_str(), png.c_str());
    return 0;
}

int runRender(const RenderOptions& o)
{
    if (o.blockSize < 1 || o.blockSize > kMaxBlock)
        throw CliError("bad --block " + std::to_string(o.blockSize) + ": use 1 to " + std::to_string(kMaxBlock));
    if (sameFile(o.input, o.output))
        throw CliError("OUT '" + o.output + "' is the same file as IN; choose another output file");
    RenderSettings settings = defaultSettings();
    if (!o.preset.empty())
        applyFactoryPreset(settings, o.preset);
    if (!o.presetFile.empty())
        applyPresetFile(settings, o.presetFile);
    for (const std::string& a : o.assignments)
        applyAssignment(settings, a);

    const AudioData input = readAudioFile(o.input);
    if (input.sampleRate < kMinRate || input.sampleRate > kMaxRate)
        throw CliError("'" + o.input + "' runs at " + std::to_string(input.sampleRate) +
                       " Hz; the compressor works from 22050 to 192000 Hz");
    SF_INFO probe{};
    probe.samplerate = input.sampleRate;
    probe.channels = int(input.channels.size());
    probe.format = input.format;
    if (!sf_format_check(&probe))
        throw CliError("the format of '" + o.input + "' cannot be written back; convert it to WAV or FLAC first");

    const double seconds = double(input.frames()) / input.sampleRate;
    RenderResult result;
    {
        ProgressBar bar(seconds > 5.0);
        result = renderThroughEngine(input.channels, input.sampleRate, settings, o.blockSize,
                                     [&](size_t done, size_t total) { bar.update(done, total); });
    }
    AudioData output = input;
    output.channels = result.output;
    writeAudioFileAtomically(o.output, output);
    if (!o.reportPath.empty())
        writeJsonFile(o.reportPath, makeRenderReport(settings, result, input.sampleRate, input.frames()));
    if (!o.plotPath.empty())
        writeRenderPlot(o.plotPath, input.channels, input.sampleRate, result, settings,
                        std::filesystem::path(o.input).filename().string());
    std::printf("%s -> %s: \"%s\" from %s (%s)\n", o.input.c_str(), o.output.c_str(), settings.presetName.c_str(),
                settings.source.c_str(), describeSettings(settings).c_str());
    printSummary(result, seconds);
    return 0;
}

int runPresets(bool json)
{
    if (json)
        std::printf("%s\n", presetListingJson().dump(2).c_str());
    else
        std::fputs(presetListingText().c_str(), stdout);
    return 0;
}

int runCurves(const std::string& plotPath)
{
    writeCurvesPlot(plotPath);
    std::printf("wrote %s\n", plotPath.c_str());
    return 0;
}
