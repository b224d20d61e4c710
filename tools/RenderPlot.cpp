#include "tools/RenderPlot.h"

#include "tools/PlotCanvas.h"

#include <algorithm>
#include <cmath>

namespace
{
const PlotColour kInputColour{0.38, 0.62, 0.86};
const PlotColour kOutputColour{0.96, 0.64, 0.26};
const PlotColour kReductionColour{0.93, 0.36, 0.33};

// Min/max per pixel column of both channels, drawn as a filled band.
void drawWaveform(PlotCanvas& canvas, const PlotPanel& p, const WaveEnvelope& wave, PlotColour colour)
{
    const size_t frames = wave.count();
    const int columns = int(p.width);
    if (frames == 0)
        return;
    std::vector<double> top(static_cast<size_t>(columns)), bottom(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
    {
        const size_t a = std::min(frames - 1, frames * size_t(c) / size_t(columns));
        const size_t b = std::min(frames, std::max(a + 1, frames * size_t(c + 1) / size_t(columns)));
        const auto [lo, hi] = wave.range(a, b);
        top[size_t(c)] = std::clamp(double(std::max(hi, 0.0f)), p.yMin, p.yMax);
        bottom[size_t(c)] = std::clamp(double(std::min(lo, 0.0f)), p.yMin, p.yMax);
    }
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_move_to(cr, p.x, p.py(top[0]));
    for (int c = 1; c < columns; ++c)
        cairo_line_to(cr, p.x + c, p.py(top[size_t(c)]));
    for (int c = columns - 1; c >= 0; --c)
        cairo_line_to(cr, p.x + c, p.py(bottom[size_t(c)]));
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, 0.85);
    cairo_fill(cr);
    cairo_restore(cr);
}

std::vector<double> ticks(double from, double to, double step)
{
    std::vector<double> t;
    for (double v = from; v <= to + 1e-9; v += step)
        t.push_back(v);
    return t;
}
} // namespace

std::vector<uint8_t> renderPlotPng(double sampleRate, const RenderResult& result, const RenderSettings& settings,
                                   const std::string& what)
{
    PlotCanvas canvas(1600, 1000);
    canvas.title("Qor vellaCor \xE2\x80\x94 " + settings.presetName + " (" + settings.source + ")",
                 describeSettings(settings) + "   \xC2\xB7   " + what);

    const double seconds = double(result.frames) / sampleRate;
    const double duration = std::max(seconds, 1e-3);
    const double step = duration > 20 ? 5.0 : duration > 5 ? 1.0 : duration > 1 ? 0.5 : 0.1;
    auto secondsText = [&](double v) { return formatNumber(v, step < 1.0 ? 1 : 0); };
    const auto xTicks = ticks(0.0, duration, step);
    const auto ampTicks = std::vector<double>{-1.0, -0.5, 0.0, 0.5, 1.0};
    auto ampText = [](double v) { return formatNumber(v, 1); };

    const PlotPanel in{110, 130, 1450, 220, 0.0, duration, -1.05, 1.05};
    canvas.frame(in, "Input", "", "amplitude", xTicks, ampTicks, secondsText, ampText);
    drawWaveform(canvas, in, result.inputWave, kInputColour);

    const PlotPanel out{110, 420, 1450, 220, 0.0, duration, -1.05, 1.05};
    canvas.frame(out, "Output", "", "amplitude", xTicks, ampTicks, secondsText, ampText);
    drawWaveform(canvas, out, result.outputWave, kOutputColour);

    // Gain applied, in dB, from the meter (1 - reduction) after each block; for long files the
    // most reduction of each run of blocks.
    double lowest = 0.0;
    std::vector<double> xs, ys;
    const auto& runs = result.meter.buckets();
    for (size_t b = 0; b < runs.size(); ++b)
    {
        const size_t blocksDone = std::min(result.meter.count(), (b + 1) * result.meter.bucketLength());
        const double gain = std::max(1e-6, 1.0 - double(runs[b].second));
        xs.push_back(std::min(double(result.frames), double(blocksDone * size_t(result.blockSize))) / sampleRate);
        ys.push_back(20.0 * std::log10(gain));
        lowest = std::min(lowest, ys.back());
    }
    const double floorDb = -std::max(6.0, std::ceil((-lowest + 1.0) / 3.0) * 3.0);
    const PlotPanel gr{110, 710, 1450, 220, 0.0, duration, floorDb, 0.5};
    canvas.frame(gr, "Gain reduction (meter)", "time (s)", "gain (dB)", xTicks,
                 ticks(floorDb, 0.0, floorDb < -24 ? 6.0 : 3.0), secondsText,
                 [](double v) { return formatNumber(v, 0); });
    canvas.line(gr, xs, ys, kReductionColour, 2.5);
    return canvas.pngBytes();
}
