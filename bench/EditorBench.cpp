// What the open editor costs: a full redraw at 100 % and 200 %, one needle update as the idle
// timer makes it, offscreen and in a real X11 window, the CPU share of an open window whose
// needle moves on every 33 ms tick, and of one with the preset menu open and nothing moving
// (with the X server's share and the requests sent to it). The X11 rows need a display (run-editor-bench.sh starts
// Xvfb); without one they are skipped.
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "QORLIB/gui/toolkit/Timer.h"
#include "QORLIB/gui/toolkit/X11Window.h"
#include "QORLIB/platform/QorTick.h"
#include "QORLIB/presets/QorLocalController.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "vellaCor/editor/vellaCorEditor.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

namespace
{
using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;

// The preset manager's host: values and notifications go straight back to the editor.
struct BenchPresetHost : QorLocalController
{
    QorMasterGraphicalEngine* engine = nullptr;
    void parameterChanged(int32_t index, double value) override
    {
        if (engine)
            engine->forwardParameter(index, value);
    }
};

struct OpenEditor
{
    BenchPresetHost host;
    QorPresetManager manager{&host, vellaCorFactoryPresets::presetProduct()};
    // The whole editor: the panel and the preset bar's strip above it.
    Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar engine{
        [](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }};
    bool ok = false;
    OpenEditor(Platform platform, double zoom)
    {
        host.engine = &engine;
        host.setManager(&manager);
        engine.setManager(&manager);
        ok = engine.open(platform);
        if (!ok)
            return;
        engine.setZoom(zoom);
        if (platform != Platform::kOffscreen)
            ok = window().waitUntilShown(5000);
        flush();
    }
    vellaCorEditor& editor() { return *static_cast<vellaCorEditor*>(engine.getEditor()); }
    qortk::X11Window& window() { return *static_cast<qortk::X11Window*>(engine.getFrame()->platform()); }
    bool isX11() { return dynamic_cast<qortk::X11Window*>(engine.getFrame()->platform()) != nullptr; }
    // Paints what is invalid and, in a window, waits until the server has drawn it.
    void flush()
    {
        if (isX11())
        {
            window().idle();
            XSync(window().display(), False);
        }
        else
            static_cast<qortk::OffscreenBackend*>(engine.getFrame()->platform())->update();
    }
};

// The needle moves on every tick: a new reading 33 ms after the last, as the host's meter
// would deliver them.
struct MovingNeedle
{
    uint32_t now = 1000;
    int step = 0;
    MovingNeedle() { QorTick::setSource([this] { return now; }); }
    ~MovingNeedle() { QorTick::setSource({}); }
    void tick(vellaCorEditor& editor)
    {
        now += 33;
        editor.setParameter(13, 0.5 + 0.4 * std::sin(0.1 * ++step));
        editor.idle();
    }
};

void fullRedraw(benchmark::State& state, Platform platform)
{
    const double zoom = state.range(0) / 100.0;
    OpenEditor open(platform, zoom);
    if (!open.ok)
    {
        state.SkipWithError("no display (run under Xvfb: bench/run-editor-bench.sh)");
        return;
    }
    for (auto _ : state)
    {
        open.engine.invalidateAll();
        open.flush();
    }
    state.counters["pixels"] = double(open.engine.getFrame()->deviceWidth() * open.engine.getFrame()->deviceHeight());
}

void needleUpdate(benchmark::State& state, Platform platform)
{
    OpenEditor open(platform, state.range(0) / 100.0);
    if (!open.ok)
    {
        state.SkipWithError("no display (run under Xvfb: bench/run-editor-bench.sh)");
        return;
    }
    MovingNeedle needle;
    needle.tick(open.editor());
    needle.tick(open.editor());
    // Only the meter's rectangle may be painted for a needle update.
    const auto region = open.engine.getFrame()->takeInvalidRegion();
    double area = 0;
    for (const auto& r : region)
        area += r.width() * r.height();
    const double z = open.engine.getZoomFactor();
    const double meterArea = std::ceil(100 * z + 2) * std::ceil(43 * z + 2);
    if (region.empty() || area > meterArea)
    {
        state.SkipWithError("a needle update painted more than the meter");
        return;
    }
    open.engine.invalidateAll();
    open.flush();
    for (auto _ : state)
    {
        needle.tick(open.editor());
        open.flush();
    }
    state.counters["painted_px"] = area;
}

void BM_FullRedrawOffscreen(benchmark::State& s) { fullRedraw(s, Platform::kOffscreen); }
void BM_FullRedrawX11(benchmark::State& s) { fullRedraw(s, Platform::kX11Window); }
void BM_NeedleUpdateOffscreen(benchmark::State& s) { needleUpdate(s, Platform::kOffscreen); }
void BM_NeedleUpdateX11(benchmark::State& s) { needleUpdate(s, Platform::kX11Window); }

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + 1e-6 * double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

// The X server's own CPU seconds, when run-editor-bench.sh tells us its process id.
double serverCpuSeconds()
{
    const char* pid = std::getenv("QOR_BENCH_XSERVER_PID");
    if (!pid)
        return -1.0;
    std::ifstream in(std::string("/proc/") + pid + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1.0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14)
            utime = std::stoull(field);
        else if (i == 15)
            stime = std::stoull(field);
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// Runs the window's event loop as the program does for 10 s and reports the process's CPU
// share, the X server's, and the requests sent to the server per second.
void runOpenWindow(benchmark::State& state, OpenEditor& open, const int* needleMoves)
{
    for (auto _ : state)
    {
        // Let start-up painting settle before counting.
        for (auto settle = std::chrono::steady_clock::now() + std::chrono::seconds(1);
             std::chrono::steady_clock::now() < settle;)
        {
            open.window().idle();
            pollfd fd{ConnectionNumber(open.window().display()), POLLIN, 0};
            poll(&fd, 1, 10);
        }
        const double cpu0 = cpuSeconds();
        const double server0 = serverCpuSeconds();
        const unsigned long requests0 = NextRequest(open.window().display());
        const auto start = std::chrono::steady_clock::now();
        const auto end = start + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end)
        {
            open.window().idle();
            const int next = qortk::Timer::msUntilNext();
            pollfd fd{ConnectionNumber(open.window().display()), POLLIN, 0};
            poll(&fd, 1, next < 0 || next > qortk::X11Window::kMaxWaitMs ? qortk::X11Window::kMaxWaitMs : next);
        }
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["cpu_percent"] = 100.0 * (cpuSeconds() - cpu0) / wall;
        if (server0 >= 0.0)
            state.counters["xserver_percent"] = 100.0 * (serverCpuSeconds() - server0) / wall;
        state.counters["x_requests_per_s"] = double(NextRequest(open.window().display()) - requests0) / wall;
        if (needleMoves)
            state.counters["needle_moves"] = *needleMoves;
    }
}

// An open window whose needle moves on every shared 33 ms idle tick (with the hints and the
// readout following the pointer).
void BM_OpenEditorCpuShare(benchmark::State& state)
{
    OpenEditor open(Platform::kX11Window, state.range(0) / 100.0);
    if (!open.ok)
    {
        state.SkipWithError("no display (run under Xvfb: bench/run-editor-bench.sh)");
        return;
    }
    int step = 0;
    qortk::Timer meter(33, [&] { open.editor().setParameter(13, 0.5 + 0.4 * std::sin(0.1 * ++step)); });
    meter.start();
    runOpenWindow(state, open, &step);
}

// An open window with the preset menu open over the panel and nothing moving: no needle, the
// pointer resting over the lists.
void BM_PresetMenuOpenIdleCpuShare(benchmark::State& state)
{
    OpenEditor open(Platform::kX11Window, state.range(0) / 100.0);
    if (!open.ok)
    {
        state.SkipWithError("no display (run under Xvfb: bench/run-editor-bench.sh)");
        return;
    }
    const double z = open.engine.getZoomFactor();
    auto* frame = open.engine.getFrame();
    open.engine.idle(); // the strip takes the zoom on its first tick
    frame->mouseDown({200 * z, 13 * z}, qortk::kLButton); // the preset name opens the menu
    frame->mouseUp({200 * z, 13 * z}, qortk::kLButton);
    if (!open.engine.isPresetMenuShown())
    {
        state.SkipWithError("the preset menu did not open");
        return;
    }
    frame->mouseMoved({150 * z, 200 * z}, 0);
    runOpenWindow(state, open, nullptr);
}
} // namespace

BENCHMARK(BM_FullRedrawOffscreen)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRedrawX11)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeedleUpdateOffscreen)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NeedleUpdateX11)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenEditorCpuShare)->Arg(100)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PresetMenuOpenIdleCpuShare)->Arg(100)->Arg(200)->Arg(300)->Arg(400)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
