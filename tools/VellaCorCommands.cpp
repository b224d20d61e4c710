#include "tools/VellaCorCommands.h"

#include "tools/AudioFile.h"
#include "tools/AudioReader.h"
#include "tools/AudioWriter.h"
#include "tools/CliError.h"
#include "tools/CurvesPlot.h"
#include "tools/DemoSignal.h"
#include "tools/OutputFiles.h"
#include "tools/PresetListing.h"
#include "tools/ProgressBar.h"
#include "tools/RenderPlot.h"
#include "tools/RenderReport.h"
#include "tools/Renderer.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace
{
constexpr double kMinRate = 22050.0, kMaxRate = 192000.0;
constexpr int kMaxBlock = 65536;

std::vector<float> interleave(const std::vector<std::vector<float>>& channels)
{
    const std::size_t frames = channels.empty() ? 0 : channels[0].size(), n = channels.size();
    std::vector<float> out(frames * n);
    for (std::size_t i = 0; i < frames; ++i)
        for (std::size_t c = 0; c < n; ++c)
            out[i * n + c] = channels[c][i];
    return out;
}

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
    AudioData output = input;
    const RenderResult result = renderThroughEngine(input.channels, input.sampleRate, settings, 512, output.channels);
    const std::string in = (fs::path(outDir) / "demo-in.wav").string();
    const std::string out = (fs::path(outDir) / "demo-out.wav").string();
    const std::string png = (fs::path(outDir) / "demo.png").string();
    OutputFiles::check({{"demo-in.wav", in}, {"demo-out.wav", out}, {"demo.png", png}}, {});
    OutputFiles files;
    for (const AudioData* audio : {&input, &output})
    {
        const std::string& path = audio == &input ? in : out;
        AudioWriter writer(files.begin(path), path, audio->format, audio->sampleRate, int(audio->channels.size()));
        const std::vector<float> interleaved = interleave(audio->channels);
        writer.write(interleaved.data(), audio->frames());
        writer.close();
    }
    files.add(png, renderPlotPng(input.sampleRate, result, settings, "built-in demo, 48 kHz stereo"));
    files.commit();
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
    std::vector<OutputFiles::Named> outputs = {{"OUT", o.output}};
    if (!o.reportPath.empty())
        outputs.push_back({"--report", o.reportPath});
    if (!o.plotPath.empty())
        outputs.push_back({"--plot", o.plotPath});
    OutputFiles::check(outputs, {{"IN", o.input}, {"--preset-file", o.presetFile}});
    RenderSettings settings = defaultSettings();
    if (!o.preset.empty())
        applyFactoryPreset(settings, o.preset);
    if (!o.presetFile.empty())
        applyPresetFile(settings, o.presetFile);
    for (const std::string& a : o.assignments)
        applyAssignment(settings, a);

    AudioReader reader(o.input);
    const int rate = reader.sampleRate();
    if (rate < kMinRate || rate > kMaxRate)
        throw CliError("'" + o.input + "' runs at " + std::to_string(rate) +
                       " Hz; the compressor works from 22050 to 192000 Hz");
    SF_INFO probe{};
    probe.samplerate = rate;
    probe.channels = reader.channels();
    probe.format = reader.format();
    if (!sf_format_check(&probe))
        throw CliError("the format of '" + o.input + "' cannot be written back; convert it to WAV or FLAC first");

    // Block by block from IN through the compressor into the pending OUT: memory stays bounded by
    // the block size whatever the file's header claims.
    OutputFiles files;
    const auto channels = std::size_t(reader.channels());
    const auto block = std::size_t(o.blockSize);
    RenderResult result;
    {
        AudioWriter writer(files.begin(o.output), o.output, reader.format(), rate, int(channels));
        Renderer renderer(settings, rate, channels, o.blockSize);
        std::vector<float> interleaved(block * channels);
        std::vector<std::vector<float>> in(channels, std::vector<float>(block)), out = in;
        const float* ins[2] = {in[0].data(), in.back().data()};
        float* outs[2] = {out[0].data(), out.back().data()};
        // The declared length only drives the bar; a damaged header cannot make it claim memory.
        const std::size_t declared = reader.declaredFrames();
        ProgressBar bar(double(declared) > 5.0 * rate);
        std::size_t done = 0;
        while (const std::size_t n = reader.read(interleaved.data(), block))
        {
            for (std::size_t i = 0; i < n; ++i)
                for (std::size_t c = 0; c < channels; ++c)
                    in[c][i] = interleaved[i * channels + c];
            renderer.process(ins, outs, int(n));
            for (std::size_t i = 0; i < n; ++i)
                for (std::size_t c = 0; c < channels; ++c)
                    interleaved[i * channels + c] = out[c][i];
            writer.write(interleaved.data(), n);
            done += n;
            bar.update(std::min(done, declared), declared);
        }
        reader.checkComplete();
        writer.close();
        result = renderer.finish();
    }
    // Everything that can fail is done before any old file is replaced.
    if (!o.reportPath.empty())
    {
        const std::string text = jsonText(makeRenderReport(settings, result, rate));
        files.add(o.reportPath, std::vector<uint8_t>(text.begin(), text.end()));
    }
    if (!o.plotPath.empty())
        files.add(o.plotPath, renderPlotPng(rate, result, settings, std::filesystem::path(o.input).filename().string()));
    files.commit();
    const double seconds = double(result.frames) / rate;
    std::printf("%s -> %s: \"%s\" from %s (%s)\n", o.input.c_str(), o.output.c_str(), settings.presetName.c_str(),
                settings.source.c_str(), describeSettings(settings).c_str());
    printSummary(result, seconds);
    return 0;
}

int runPresets(bool json)
{
    if (json)
        std::fputs(jsonText(presetListingJson()).c_str(), stdout);
    else
        std::fputs(presetListingText().c_str(), stdout);
    return 0;
}

int runCurves(const std::string& plotPath)
{
    OutputFiles::check({{"--plot", plotPath}}, {});
    OutputFiles files;
    files.add(plotPath, curvesPlotPng());
    files.commit();
    std::printf("wrote %s\n", plotPath.c_str());
    return 0;
}
