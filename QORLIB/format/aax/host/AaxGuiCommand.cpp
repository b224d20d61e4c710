#include "QORLIB/format/aax/host/AaxGuiCommand.h"

#include "QORLIB/format/aax/host/AaxEditorSession.h"
#include "QORLIB/format/aax/host/AaxHost.h"
#include "QORLIB/format/aax/host/AaxPlaybackLoop.h"
#include "QORLIB/format/aax/host/AaxWavFile.h"
#include "QORLIB/format/aax/sdk/AAX_CString.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectParameters.h"
#include "QORLIB/platform/QorAtomicFile.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <thread>

namespace
{
volatile std::sig_atomic_t gInterrupted = 0;
void onSignal(int) { gInterrupted = 1; }

int fail(const std::string& message)
{
    std::cerr << "qor-aax-host: " << message << "\n";
    return 1;
}

const char* kindName(AaxAutomationEvent::Kind kind)
{
    switch (kind)
    {
    case AaxAutomationEvent::kTouch: return "touch";
    case AaxAutomationEvent::kSet: return "set";
    case AaxAutomationEvent::kRelease: return "release";
    default: return "update";
    }
}

void printValues(AaxInstance& instance)
{
    AAX_IEffectParameters* p = instance.parameters();
    int32_t count = 0;
    p->GetNumberOfParameters(&count);
    for (int32_t i = 0; i < count; ++i)
    {
        AAX_CString id, display;
        double value = 0.0;
        p->GetParameterIDFromIndex(i, &id);
        p->GetParameterNormalizedValue(id.Get(), &value);
        p->GetParameterStringFromValue(id.Get(), value, &display, 31);
        std::printf("  %-16s %.4f  %s\n", id.Get(), value, display.Get());
    }
}

bool saveChunks(AaxInstance& instance, const std::string& dir, std::string& error)
{
    std::vector<AaxChunk> chunks;
    if (const AAX_Result r = instance.saveChunks(chunks); r != AAX_SUCCESS)
    {
        error = std::string("saving the chunks failed with ") + AAX_ResultName(r);
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    // The chunks are one state: all files are replaced, or none.
    std::vector<QorAtomicFile::Item> files;
    for (const auto& chunk : chunks)
        files.push_back({(std::filesystem::path(dir) / chunk.fileName()).string(), chunk.data});
    if (!QorAtomicFile::writeSet(files, error))
        return false;
    for (std::size_t i = 0; i < chunks.size(); ++i)
        std::cout << "saved '" << chunks[i].idText() << "' (" << chunks[i].data.size() << " bytes) to "
                  << files[i].path << "\n";
    return true;
}

// The instance's life: editor shown while the audio plays, then state kept.
int play(AaxHost& host, const AaxAudio& audio, const AaxGuiOptions& o)
{
    std::string error;
    auto instance = host.createInstance(audio.channels == 1 ? AAX_eStemFormat_Mono : AAX_eStemFormat_Stereo, error, true);
    if (instance == nullptr)
        return fail(error);
    if (!o.quiet)
        instance->controller().observer = [](const AaxAutomationEvent& e) {
            if (e.kind == AaxAutomationEvent::kSet || e.kind == AaxAutomationEvent::kUpdate)
                std::printf("host: %-7s %-16s %.4f", kindName(e.kind), e.id.c_str(), e.value);
            else
                std::printf("host: %-7s %s", kindName(e.kind), e.id.c_str());
            if (e.kind == AaxAutomationEvent::kUpdate)
                std::printf(e.touched ? " (echo, touched)" : " (echo)");
            std::printf("\n");
            std::fflush(stdout);
        };
    // From before the window shows: a Ctrl+C at any moment still ends with the state kept.
    gInterrupted = 0;
    auto* oldInt = std::signal(SIGINT, onSignal);
    auto* oldTerm = std::signal(SIGTERM, onSignal);
    AaxPlaybackLoop loop(*instance, audio.samples, double(audio.sampleRate));
    AaxEditorSession session(*instance, &loop);
    const std::string title = "Qor vellaCor - " + std::filesystem::path(o.input).filename().string();
    if (!session.open(!o.offscreen, title, error))
    {
        std::signal(SIGINT, oldInt);
        std::signal(SIGTERM, oldTerm);
        return fail(error);
    }
    session.container().onMouseDown = [quiet = o.quiet](const AaxViewContainer::MouseDown& m) {
        if (!quiet)
            std::printf("host: click   %-16s modifiers %u\n", m.id.c_str(), m.modifiers);
    };
    std::cout << "playing " << o.input << " in a loop (" << audio.channels << " channel(s), " << audio.sampleRate
              << " Hz); close the window or press Ctrl+C to stop\n";
    std::fflush(stdout);
    loop.start();
    if (o.seconds > 0.0)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(o.seconds);
        while (session.isOpen() && gInterrupted == 0 && std::chrono::steady_clock::now() < end &&
               !(session.window() != nullptr && session.window()->closeRequested()))
        {
            session.tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(AaxEditorSession::kTickMs));
        }
    }
    else
        session.run(&gInterrupted);
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    session.close();
    loop.stop();
    session.tick(); // what the last edits left waiting
    std::cout << "stopped after " << loop.blocks() << " blocks; host parameters:\n";
    printValues(*instance);
    std::fflush(stdout);
    if (!o.saveDir.empty() && !saveChunks(*instance, o.saveDir, error))
        return fail(error);
    return 0;
}
} // namespace

CLI::App* addAaxGuiCommand(CLI::App& app, AaxGuiOptions& o)
{
    auto* cmd = app.add_subcommand("gui", "show the editor of an instance that plays an audio file in a loop");
    cmd->add_option("input", o.input, "audio file to play (mono or stereo)")->required()->check(CLI::ExistingFile);
    cmd->add_option("--save", o.saveDir, "keep the instance's state chunks in this folder afterwards");
    cmd->add_option("--seconds", o.seconds, "close the editor after this many seconds")->check(CLI::Range(0.0, 1e6));
    cmd->add_flag("--offscreen", o.offscreen, "draw the editor offscreen, with no window (use with --seconds)");
    cmd->add_flag("-q,--quiet", o.quiet, "do not print the host's automation and click log");
    return cmd;
}

int runAaxGuiCommand(const std::string& module, bool verbose, const AaxGuiOptions& o)
{
    AaxAudio audio;
    std::string error;
    if (!readAaxAudio(o.input, audio, error))
        return fail(error);
    if (audio.channels != 1 && audio.channels != 2)
        return fail("the effect takes mono or stereo files, not " + std::to_string(audio.channels) + " channels");
    if (audio.samples.empty() || audio.samples[0].empty())
        return fail("the file holds no audio");
    if (o.offscreen && o.seconds <= 0.0)
        return fail("--offscreen needs --seconds: nobody could close a window that is not there");
    auto loaded = AaxModule::load(module, error);
    if (loaded == nullptr)
        return fail(error);
    AaxHost host(std::move(loaded));
    host.services().setEcho(verbose);
    if (const ACFRESULT r = host.startup(); r != 0)
        return fail("ACFStartup failed with " + std::to_string(r));
    if (const ACFRESULT r = host.registerPlugin(); r != 0)
        return fail(std::string("ACFRegisterPlugin failed with ") + AAX_ResultName(r));
    const int result = play(host, audio, o);
    const ACFRESULT alive = host.canUnloadNow();
    host.shutdown();
    std::cout << "ACFCanUnloadNow: " << alive << " object(s) alive\n";
    return result != 0 ? result : (alive == 0 ? 0 : fail("the module still has live objects"));
}
