// What drawing the images at the zoom's own resolution costs: the first full redraw after a
// zoom change (every visible image drawn anew), the full redraws after it (images kept), and
// the memory the drawn images take. Offscreen, no display needed.
#include "QORLIB/gui/CQorBitmapWrapper.h"
#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorFrame.h"
#include "QORLIB/gui/presetbar/QorVSTGUIEditorWrapperV4_PresetBar.h"
#include "QORLIB/gui/toolkit/Bitmap.h"
#include "QORLIB/gui/toolkit/OffscreenBackend.h"
#include "vellaCor/editor/vellaCorEditor.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
using Platform = Qorwerk::QorVSTGUIEditorWrapperV1::Platform;

constexpr int32_t kIds[] = {12128, 12129, 12130, 12139, 12151, 12153, 12171, 12173, 12177, 12181, 12200, 90001};

struct Images
{
    size_t bytes = 0;
    int drawn = 0;
};

Images drawnImages()
{
    Images out;
    for (int32_t id : kIds)
        if (auto* w = dynamic_cast<Qorwerk::CQorBitmapWrapper*>(QorBitmapGlobals::get(id)))
            if (const auto& b = w->bitmap().platformBitmap())
            {
                out.bytes += b->frameBytes();
                out.drawn += b->framesDrawn();
            }
    return out;
}

struct Editor
{
    Qorwerk::QorVSTGUIEditorWrapperV4_PresetBar engine{
        [](QorMasterGraphicalEngine* e) { return std::make_unique<vellaCorEditor>(e); }};
    bool ok = engine.open(Platform::kOffscreen);
    void redraw(double zoom)
    {
        engine.setZoom(zoom);
        engine.invalidateAll();
        static_cast<qortk::OffscreenBackend*>(engine.getFrame()->platform())->update();
    }
};

// Each pass takes a zoom not seen before (a thousandth apart, towards 100 % so that it stays
// within 70 to 400 %), so every image is drawn anew.
void BM_FirstRedrawAfterZoomChange(benchmark::State& state)
{
    Editor editor;
    if (!editor.ok)
    {
        state.SkipWithError("the editor did not open");
        return;
    }
    const double zoom = state.range(0) / 100.0;
    int pass = 0;
    const int drawn0 = drawnImages().drawn;
    const double step = zoom > 1.0 ? -0.001 : 0.001;
    for (auto _ : state)
        editor.redraw(zoom + step * ++pass);
    state.counters["images_drawn_per_change"] = double(drawnImages().drawn - drawn0) / pass;
    state.counters["image_MB"] = drawnImages().bytes / 1e6;
}

void BM_SteadyRedraw(benchmark::State& state)
{
    Editor editor;
    if (!editor.ok)
    {
        state.SkipWithError("the editor did not open");
        return;
    }
    const double zoom = state.range(0) / 100.0;
    editor.redraw(zoom);
    const int drawn0 = drawnImages().drawn;
    for (auto _ : state)
        editor.redraw(zoom);
    state.counters["images_drawn"] = drawnImages().drawn - drawn0;
    state.counters["image_MB"] = drawnImages().bytes / 1e6;
}
} // namespace

BENCHMARK(BM_FirstRedrawAfterZoomChange)->Arg(70)->Arg(100)->Arg(150)->Arg(276)->Arg(400)->Iterations(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SteadyRedraw)->Arg(70)->Arg(100)->Arg(150)->Arg(200)->Arg(276)->Arg(400)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
