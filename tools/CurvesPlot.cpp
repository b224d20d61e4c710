#include "tools/CurvesPlot.h"

#include "tools/PlotCanvas.h"
#include "vellaCor/vellaCorEffect.h"
#include "vellaCor/vellaCorParameters.h"

#include <cmath>

namespace
{
PlotColour stepColour(int step, int steps)
{
    const double t = double(step) / steps;
    return {0.25 + 0.7 * t, 0.75 - 0.35 * t * t, 0.95 - 0.7 * t};
}
} // namespace

std::vector<uint8_t> curvesPlotPng()
{
    using namespace vellaCorParameters;
    PlotCanvas canvas(1600, 800);
    canvas.title("Qor vellaCor \xE2\x80\x94 gain curves and valve stage",
                 "Left: gain g over the detector level s, one curve per Ratio step.   Right: valve "
                 "transfer of a driven sample at Ratio 3:1, one curve per ValveLevel step.");

    const PlotPanel curves{110, 130, 660, 560, 0.01, 100.0, -30.0, 1.0, true};
    canvas.frame(curves, "Ratio", "detector level s", "gain (dB)", {0.01, 0.1, 1.0, 10.0, 100.0},
                 {-30, -24, -18, -12, -6, 0}, [](double v) { return formatNumber(v, v < 1 ? 2 : 0); },
                 [](double v) { return formatNumber(v, 0); });
    std::vector<std::pair<std::string, PlotColour>> legend;
    for (int r = 0; r <= 6; ++r)
    {
        std::vector<double> xs, ys;
        for (int i = 0; i <= 400; ++i)
        {
            const double s = std::pow(10.0, -2.0 + 4.0 * i / 400.0);
            xs.push_back(s);
            ys.push_back(20.0 * std::log10(vellaCorEffect::gainCurve(r, s)));
        }
        canvas.line(curves, xs, ys, stepColour(r, 6), 2.5);
        legend.emplace_back(getParameterStepText(kRatio, r), stepColour(r, 6));
    }
    canvas.legend(curves.x + 24, curves.y + 360, legend);

    const double K = vellaCorEffect::valveHeadroom(3);
    const PlotPanel valve{900, 130, 660, 560, -20.0, 20.0, -20.0, 20.0};
    canvas.frame(valve, "ValveLevel", "driven sample in", "out", {-20, -10, 0, 10, 20}, {-20, -10, 0, 10, 20},
                 [](double v) { return formatNumber(v, 0); }, [](double v) { return formatNumber(v, 0); });
    canvas.line(valve, {-20, 20}, {-20, 20}, PlotColour{1, 1, 1, 0.25}, 1.0);
    legend.clear();
    for (int step = 0; step <= 6; ++step)
    {
        const double a = (1.0 / K) * vellaCorEffect::valveInputScaleForStep(step);
        const double b = K * vellaCorEffect::valveOutputScaleForStep(step);
        std::vector<double> xs, ys;
        for (int i = 0; i <= 400; ++i)
        {
            const double y = -20.0 + 40.0 * i / 400.0;
            xs.push_back(y);
            ys.push_back(vellaCorEffect::valveTransfer(y, a, b));
        }
        canvas.line(valve, xs, ys, stepColour(step, 6), 2.5);
        legend.emplace_back(std::string("ValveLevel ") + getParameterStepText(kValveLevel, step), stepColour(step, 6));
    }
    canvas.legend(valve.x + valve.width - 170, valve.y + 360, legend);
    return canvas.pngBytes();
}
