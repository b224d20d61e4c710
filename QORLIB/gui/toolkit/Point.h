#pragma once

namespace qortk
{

// A position in points (or device pixels where a name says so).
struct Point
{
    double x = 0.0;
    double y = 0.0;

    Point offset(double dx, double dy) const { return {x + dx, y + dy}; }
    bool operator==(const Point&) const = default;
};

} // namespace qortk
