#include "QORLIB/gui/EditorPreview.h"

#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/QorPanelPreviewEditor.h"
#include "QORLIB/gui/QorVSTGUIEditorWrapperV2.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/X11Window.h"

#include <csignal>
#include <cstdio>

namespace
{
volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void interrupt(int) { gInterrupted = 1; }
} // namespace

int runEditorPreview(const std::string& screenshotPath, double zoom)
{
    Qorwerk::QorVSTGUIEditorWrapperV2 engine(
        [](QorMasterGraphicalEngine* e) { return std::make_unique<QorPanelPreviewEditor>(e); });
    const bool offscreen = !screenshotPath.empty();
    std::string error;
    using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;
    if (!engine.open(offscreen ? Platform::kOffscreen : Platform::kX11Window, 0, &error))
    {
        std::fprintf(stderr, "editor: %s\n", error.c_str());
        return 1;
    }
    if (zoom != 0.0 && !engine.setZoom(zoom))
    {
        std::fprintf(stderr, "editor: %g is no zoom factor (use 0.7 to 4.0)\n", zoom);
        return 2;
    }
    Qorwerk::QorFrame* frame = engine.getFrame();
    if (offscreen)
    {
        auto* backend = static_cast<qortk::OffscreenBackend*>(frame->platform());
        if (!backend->writePng(screenshotPath))
        {
            std::fprintf(stderr, "editor: cannot write %s\n", screenshotPath.c_str());
            return 1;
        }
        std::printf("wrote %s (%d x %d pixels, zoom %.2f)\n", screenshotPath.c_str(), frame->deviceWidth(),
                    frame->deviceHeight(), engine.getZoomFactor());
        return 0;
    }
    auto* window = static_cast<qortk::X11Window*>(frame->platform());
    std::printf("editor window open (%d x %d pixels); close it to quit\n", frame->deviceWidth(), frame->deviceHeight());
    std::fflush(stdout);
    // Ctrl+C or a kill closes the window as the close button does.
    gInterrupted = 0;
    std::signal(SIGINT, interrupt);
    std::signal(SIGTERM, interrupt);
    window->runLoop(&gInterrupted);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    engine.close();
    return 0;
}
