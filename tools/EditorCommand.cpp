#include "tools/EditorCommand.h"

#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorAtomicFile.h"
#include "tools/CliError.h"
#include "tools/EditorAudioLoop.h"
#include "tools/EditorInputFile.h"
#include "tools/StandaloneEditorEngine.h"
#include "vellaCor/editor/CVelVuMeter2.h"
#include "vellaCor/editor/vellaCorEditor.h"
#include "vellaCor/vellaCorIdentity.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace
{
volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void interrupt(int) { gInterrupted = 1; }

constexpr double kScreenshotAudioSeconds = 1.5; // a screenshot with --input shows the needle after this

int writeScreenshot(StandaloneEditorEngine& engine, EditorAudioLoop* loop, const std::string& path)
{
    auto* editor = static_cast<vellaCorEditor*>(engine.getEditor());
    if (loop)
    {
        const auto blocks = uint64_t(kScreenshotAudioSeconds * loop->sampleRate() / EditorAudioLoop::kBlockFrames);
        for (uint64_t i = 0; i < blocks; ++i)
            loop->processBlock();
        if (CVelVuMeter2* meter = editor->getMeter())
            meter->setValue(loop->meter());
    }
    Qorwerk::QorFrame* frame = engine.getFrame();
    auto* backend = static_cast<qortk::OffscreenBackend*>(frame->platform());
    std::vector<unsigned char> png;
    std::string error;
    if (!backend->encodePng(png) || !QorAtomicFile::write(path, png.data(), png.size(), error))
    {
        std::fprintf(stderr, "qor-vellacor: error: cannot write '%s'%s%s\n", path.c_str(), error.empty() ? "" : ": ",
                     error.c_str());
        return 1;
    }
    std::printf("wrote %s (%d x %d pixels, zoom %.2f)\n", path.c_str(), frame->deviceWidth(), frame->deviceHeight(),
                engine.getZoomFactor());
    return 0;
}
} // namespace

int runEditor(const EditorOptions& options)
{
    if (options.zoom != 0.0 && !(options.zoom >= 0.7 && options.zoom <= 4.0))
        throw CliError("the zoom must be 0.7 to 4.0");
    std::unique_ptr<EditorAudioLoop> loop;
    if (!options.input.empty())
    {
        EditorInput input = readEditorInput(options.input);
        if (input.cut)
            std::fprintf(stderr, "qor-vellacor: '%s' is long; the editor loops its first 10 minutes\n",
                         options.input.c_str());
        loop = std::make_unique<EditorAudioLoop>(std::move(input.channels), input.sampleRate);
    }

    const bool offscreen = !options.screenshot.empty();
    qortk::X11Window::setWindowClass("qor-vellacor", vellaCorIdentity::kProductName);
    const std::string inputName =
        options.input.empty() ? std::string() : std::filesystem::path(options.input).filename().string();
    StandaloneEditorEngine engine(loop.get(), inputName);
    std::string error;
    using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
    if (!engine.open(offscreen ? Platform::kOffscreen : Platform::kX11Window, 0, &error))
    {
        std::fprintf(stderr, "qor-vellacor: error: %s\n", error.c_str());
        return 1;
    }
    if (options.zoom != 0.0)
        engine.setZoom(options.zoom);
    engine.applyCurrentPreset();
    if (offscreen)
        return writeScreenshot(engine, loop.get(), options.screenshot);

    auto* window = static_cast<qortk::X11Window*>(engine.getFrame()->platform());
    window->setTitle(engine.windowTitle());
    std::printf("editor window open (%d x %d pixels)%s; close it to quit\n", engine.getFrame()->deviceWidth(),
                engine.getFrame()->deviceHeight(), loop ? ", playing the file in a loop" : "");
    std::fflush(stdout);
    if (loop)
        loop->start();
    // Ctrl+C or a kill closes the window as the close button does.
    gInterrupted = 0;
    std::signal(SIGINT, interrupt);
    std::signal(SIGTERM, interrupt);
    window->runLoop(&gInterrupted);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (loop)
        loop->stop();
    engine.close();
    return 0;
}
