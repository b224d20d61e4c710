#pragma once

#include <cstdint>
#include <vector>

// The seven gain curves over the detector level and the valve transfer curve of every
// "ValveLevel" step, as the bytes of a PNG file.
std::vector<uint8_t> curvesPlotPng();
