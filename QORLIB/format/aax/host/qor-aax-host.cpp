// qor-aax-host: loads the AAX module the way a host does and lets a person watch it work:
// print its description, render an audio file through an instance, keep its state chunks.
#include "QORLIB/format/aax/host/AaxDescriptionPrinter.h"
#include "QORLIB/format/aax/host/AaxGuiCommand.h"
#include "QORLIB/format/aax/host/AaxHost.h"
#include "QORLIB/format/aax/host/AaxWavFile.h"
#include "QORLIB/format/aax/sdk/AAX_CString.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "QORLIB/platform/QorAtomicFile.h"
#include "QORLIB/platform/QorPendingFile.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>

namespace
{
namespace fs = std::filesystem;

constexpr std::size_t kMaxChunkFileSize = 1 << 20; // far above any chunk the module writes
constexpr int kIdleEveryBlocks = 8; // the direct-data timer runs about every 8 blocks of 512

struct Options
{
    std::string module = QOR_AAX_DEFAULT_MODULE;
    bool verbose = false;
    std::string input, output, saveDir, restoreDir;
    std::vector<std::string> settings; // "ID=value"
    bool bypass = false;
    int block = 512;
};

int fail(const std::string& message)
{
    std::cerr << "qor-aax-host: " << message << "\n";
    return 1;
}

std::string dB(float v) { return v > 0.0f ? std::to_string(20.0 * std::log10(double(v))) + " dBFS" : "-inf dBFS"; }

// A started, registered host, or a message why not.
std::unique_ptr<AaxHost> openHost(const Options& o, std::string& error)
{
    auto module = AaxModule::load(o.module, error);
    if (module == nullptr)
        return nullptr;
    auto host = std::make_unique<AaxHost>(std::move(module));
    host->services().setEcho(o.verbose);
    if (const ACFRESULT r = host->startup(); r != 0)
        error = "ACFStartup failed with " + std::to_string(r);
    else if (const ACFRESULT r2 = host->registerPlugin(); r2 != 0)
        error = std::string("ACFRegisterPlugin failed with ") + AAX_ResultName(r2);
    return error.empty() ? std::move(host) : nullptr;
}

int closeHost(AaxHost& host)
{
    const ACFRESULT alive = host.canUnloadNow();
    host.shutdown();
    std::cout << "ACFCanUnloadNow: " << alive << " object(s) alive\n";
    return alive == 0 ? 0 : fail("the module still has live objects");
}

// In the module's own chunk order, as a host restores a session.
bool restoreChunks(AaxInstance& instance, const std::string& dir, std::string& error)
{
    int32_t count = 0;
    instance.parameters()->GetNumberOfChunks(&count);
    int restored = 0;
    for (int32_t i = 0; i < count; ++i)
    {
        AaxChunk chunk;
        if (instance.parameters()->GetChunkIDFromIndex(i, &chunk.id) != AAX_SUCCESS)
            continue;
        const fs::path path = fs::path(dir) / chunk.fileName();
        std::vector<uint8_t> bytes;
        const auto status = QorAtomicFile::read(path.string(), bytes, kMaxChunkFileSize);
        if (status == QorAtomicFile::ReadStatus::NotFound) // missing, or not a regular file
            continue;
        if (status != QorAtomicFile::ReadStatus::Ok)
        {
            error = "cannot read " + path.string() +
                    (status == QorAtomicFile::ReadStatus::TooLarge ? ": too large for a chunk" : "");
            return false;
        }
        chunk.data.assign(bytes.begin(), bytes.end());
        const AAX_Result r = instance.restoreChunk(chunk);
        std::cout << "restored '" << chunk.idText() << "' (" << chunk.data.size() << " bytes): " << AAX_ResultName(r)
                  << "\n";
        ++restored;
    }
    if (restored == 0)
    {
        error = "no chunk files of this module in " + dir;
        return false;
    }
    instance.idle();
    return true;
}

// The instance's chunk files, written beside their targets but not yet in place: they belong
// together (and with OUT), so they are committed as one set.
struct StagedChunks
{
    std::vector<AaxChunk> chunks;
    std::vector<std::string> paths;
    std::deque<QorPendingFile> files;
};

bool stageChunks(AaxInstance& instance, const std::string& dir, StagedChunks& staged, std::string& error)
{
    if (const AAX_Result r = instance.saveChunks(staged.chunks); r != AAX_SUCCESS)
    {
        error = std::string("saving the chunks failed with ") + AAX_ResultName(r);
        return false;
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec))
    {
        error = "cannot create the folder " + dir;
        return false;
    }
    for (const auto& chunk : staged.chunks)
    {
        const std::string path = (fs::path(dir) / chunk.fileName()).string();
        QorPendingFile& file = staged.files.emplace_back();
        if (!file.begin(path, error) || !file.write(chunk.data.data(), chunk.data.size(), error) ||
            !file.finish(error))
        {
            error = "cannot write " + path + ": " + error;
            return false;
        }
        staged.paths.push_back(path);
    }
    return true;
}

bool commitStaged(StagedChunks& staged, QorPendingFile* out, std::string& error)
{
    std::vector<QorPendingFile*> all;
    if (out != nullptr)
        all.push_back(out);
    for (QorPendingFile& f : staged.files)
        all.push_back(&f);
    if (!QorPendingFile::commitAll(all, error))
    {
        error = "cannot put the written files in place (the old ones are kept): " + error;
        return false;
    }
    for (std::size_t i = 0; i < staged.paths.size(); ++i)
        std::cout << "saved '" << staged.chunks[i].idText() << "' \"" << staged.chunks[i].name << "\" ("
                  << staged.chunks[i].data.size() << " bytes) to " << staged.paths[i] << "\n";
    return true;
}

bool applySettings(AaxInstance& instance, const std::vector<std::string>& settings, std::string& error)
{
    for (const auto& s : settings)
    {
        const auto eq = s.rfind('=');
        char* end = nullptr;
        const double value = eq == std::string::npos ? 0.0 : std::strtod(s.c_str() + eq + 1, &end);
        if (eq == std::string::npos || end == s.c_str() + eq + 1 || *end != '\0')
        {
            error = "a setting reads ID=value, such as \"4: Time=0.25\", not \"" + s + "\"";
            return false;
        }
        // As a user turning the control on a control surface: touched, so the product's preset
        // state (and with it the 'All ' chunk) takes the value too.
        if (const AAX_Result r = instance.hostEdit(s.substr(0, eq), value, true); r != AAX_SUCCESS)
        {
            error = "the module refused \"" + s + "\": " + AAX_ResultName(r);
            return false;
        }
    }
    instance.idle();
    return true;
}

void printParameters(AaxInstance& instance)
{
    AAX_IEffectParameters* p = instance.parameters();
    int32_t count = 0;
    p->GetNumberOfParameters(&count);
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CString id, hostText, display;
        double value = 0.0;
        p->GetParameterIDFromIndex(i, &id);
        p->GetParameterNormalizedValue(id.Get(), &value);
        p->GetParameterValueString(id.Get(), &hostText, 31);
        p->GetParameterStringFromValue(id.Get(), value, &display, 31);
        std::printf("  %-16s %.4f  host text %-8s display %s\n", id.Get(), value, hostText.Get(), display.Get());
    }
}

int describe(const Options& o)
{
    std::string error;
    auto host = openHost(o, error);
    if (host == nullptr)
        return fail(error);
    printAaxDescription(*host->collection(), std::cout);
    for (const auto& a : host->services().assertions)
        std::cout << "assertion reported: " << a.file << ":" << a.line << " " << a.note << "\n";
    return closeHost(*host);
}

int parameters(const Options& o)
{
    std::string error;
    auto host = openHost(o, error);
    if (host == nullptr)
        return fail(error);
    {
        auto instance = host->createInstance(AAX_eStemFormat_Stereo, error);
        if (instance == nullptr)
            return fail(error);
        if ((!o.restoreDir.empty() && !restoreChunks(*instance, o.restoreDir, error)) ||
            !applySettings(*instance, o.settings, error))
            return fail(error);
        printParameters(*instance);
        StagedChunks staged;
        if (!o.saveDir.empty() && (!stageChunks(*instance, o.saveDir, staged, error) ||
                                   !commitStaged(staged, nullptr, error)))
            return fail(error);
    }
    return closeHost(*host);
}

int render(const Options& o)
{
    AaxAudio audio;
    std::string error;
    if (QorPendingFile::sameFile(o.input, o.output))
        return fail("the output " + o.output + " is the same file as the input; choose another one");
    if (struct stat st{}; ::stat(o.output.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return fail("the output " + o.output + " exists and is not a regular file; it is not replaced");
    if (!readAaxAudio(o.input, audio, error))
        return fail(error);
    if (audio.channels != 1 && audio.channels != 2)
        return fail("the effect takes mono or stereo files, not " + std::to_string(audio.channels) + " channels");
    auto host = openHost(o, error);
    if (host == nullptr)
        return fail(error);
    {
        auto instance = host->createInstance(audio.channels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo, error);
        if (instance == nullptr)
            return fail(error);
        instance->setSampleRate(float(audio.sampleRate));
        if ((!o.restoreDir.empty() && !restoreChunks(*instance, o.restoreDir, error)) ||
            !applySettings(*instance, o.settings, error))
            return fail(error);
        if (o.bypass)
            instance->setBypass(true);
        std::cout << (audio.channels == 1 ? "mono" : "stereo") << " component, " << audio.sampleRate << " Hz\n";
        printParameters(*instance);

        AaxAudio out{audio.channels, audio.sampleRate,
                     std::vector<std::vector<float>>(std::size_t(audio.channels),
                                                     std::vector<float>(audio.samples[0].size()))};
        const std::size_t frames = audio.samples[0].size();
        float inPeak = 0.0f, outPeak = 0.0f, maxReduction = 0.0f;
        int blocks = 0;
        for (std::size_t pos = 0; pos < frames; pos += std::size_t(o.block), ++blocks)
        {
            const int32_t n = int32_t(std::min(frames - pos, std::size_t(o.block)));
            float* ins[2] = {};
            float* outs[2] = {};
            for (int ch = 0; ch < audio.channels; ++ch)
            {
                ins[ch] = audio.samples[std::size_t(ch)].data() + pos;
                outs[ch] = out.samples[std::size_t(ch)].data() + pos;
            }
            instance->process(ins, outs, n);
            inPeak = std::max(inPeak, instance->meterValue(AAX_FourCC("mtrI")));
            outPeak = std::max(outPeak, instance->meterValue(AAX_FourCC("mtrO")));
            maxReduction = std::max(maxReduction, instance->meterValue(AAX_FourCC("mtGR")));
            if (blocks % kIdleEveryBlocks == kIdleEveryBlocks - 1)
                instance->idle();
        }
        std::cout << "rendered " << frames << " frames in " << blocks << " blocks of " << o.block << "\n"
                  << "input peak (channel 0): " << dB(inPeak) << "\n"
                  << "output peak (channel 0): " << dB(outPeak) << "\n"
                  << "largest gain reduction: " << maxReduction << " (0 none, 1 full)\n"
                  << "last 'mtcA': " << instance->meterValue(AAX_FourCC("mtcA")) << "\n";
        // OUT and the chunk files are written in full before any of them replaces an old file.
        QorPendingFile outFile;
        StagedChunks staged;
        if (!stageAaxAudio(outFile, o.output, out, error) ||
            (!o.saveDir.empty() && !stageChunks(*instance, o.saveDir, staged, error)))
            return fail(error);
        for (const std::string& path : staged.paths)
            if (QorPendingFile::sameFile(path, o.input) || QorPendingFile::sameFile(path, o.output))
                return fail("the chunk file " + path + " would replace the input or the output");
        if (!commitStaged(staged, &outFile, error))
            return fail(error);
        std::cout << "wrote " << o.output << "\n";
    }
    return closeHost(*host);
}
} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (const char* env = std::getenv("QOR_AAX_MODULE"); env != nullptr && env[0] != '\0')
        o.module = env;
    CLI::App app{"Loads the Qor vellaCor AAX module as a host does and drives it."};
    app.require_subcommand(1);
    app.add_option("--module", o.module, "the module to load (default: the one built with this program, or $QOR_AAX_MODULE)");
    app.add_flag("-v,--verbose", o.verbose, "print the module's traces and assertion reports");

    auto* describeCmd = app.add_subcommand("describe", "print the description the module registers");
    auto* renderCmd = app.add_subcommand("render", "render an audio file (mono or stereo) through an instance");
    renderCmd->add_option("input", o.input, "audio file to read")->required()->check(CLI::ExistingFile);
    renderCmd->add_option("output", o.output, "32-bit float WAV file to write")->required();
    renderCmd->add_flag("--bypass", o.bypass, "engage the host's master bypass");
    renderCmd->add_option("--block", o.block, "samples per block")->check(CLI::Range(1, 8192));
    auto* paramsCmd = app.add_subcommand("parameters", "print the host parameters of a (stereo) instance");
    for (auto* cmd : {renderCmd, paramsCmd})
    {
        cmd->add_option("--set", o.settings, "set a host parameter first, as ID=value (\"4: Time=0.25\")");
        cmd->add_option("--restore", o.restoreDir, "restore the state chunks kept in this folder first")
            ->check(CLI::ExistingDirectory);
        cmd->add_option("--save", o.saveDir, "keep the instance's state chunks in this folder afterwards");
    }
    AaxGuiOptions guiOptions;
    auto* guiCmd = addAaxGuiCommand(app, guiOptions);
    CLI11_PARSE(app, argc, argv);
    try
    {
        if (describeCmd->parsed())
            return describe(o);
        if (guiCmd->parsed())
            return runAaxGuiCommand(o.module, o.verbose, guiOptions);
        if (renderCmd->parsed())
            return render(o);
        return parameters(o);
    }
    catch (const std::exception& e)
    {
        return fail(e.what());
    }
}
