#pragma once

#include <string>

// The seven gain curves over the detector level and the valve transfer curve of every
// "ValveLevel" step. Throws CliError when the file cannot be written.
void writeCurvesPlot(const std::string& path);
