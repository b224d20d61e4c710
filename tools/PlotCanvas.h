#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct PlotColour
{
    double r, g, b, a = 1.0;
};

// A rectangle of the picture with the data range it shows.
struct PlotPanel
{
    double x, y, width, height;
    double xMin, xMax, yMin, yMax;
    bool logX = false;

    double px(double v) const;
    double py(double v) const;
};

// A picture drawn with cairo: panels with grids, ticks and labelled axes, written as PNG.
class PlotCanvas
{
public:
    PlotCanvas(int width, int height);
    ~PlotCanvas();
    PlotCanvas(const PlotCanvas&) = delete;
    PlotCanvas& operator=(const PlotCanvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }

    enum class Align
    {
        Left,
        Centre,
        Right
    };
    void text(double x, double y, const std::string& s, double size, Align align, PlotColour colour,
              bool bold = false, double angle = 0.0);
    void title(const std::string& heading, const std::string& subheading);
    // Background, grid at the ticks, tick labels, axis labels and a panel heading.
    void frame(const PlotPanel& p, const std::string& heading, const std::string& xLabel,
               const std::string& yLabel, const std::vector<double>& xTicks, const std::vector<double>& yTicks,
               const std::function<std::string(double)>& xText, const std::function<std::string(double)>& yText);
    // A polyline through the points, clipped to the panel.
    void line(const PlotPanel& p, const std::vector<double>& xs, const std::vector<double>& ys, PlotColour colour,
              double width);
    // Colour swatches with labels, from (x, y) downwards.
    void legend(double x, double y, const std::vector<std::pair<std::string, PlotColour>>& entries);
    // Throws CliError when the file cannot be written.
    // The picture as the bytes of a PNG file; throws CliError when it cannot be encoded.
    std::vector<uint8_t> pngBytes() const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

std::string formatNumber(double v, int decimals);
