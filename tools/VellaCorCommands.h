#pragma once

#include <string>
#include <vector>

// The subcommands of qor-vellacor. Each returns the exit code; bad input throws CliError.

struct RenderOptions
{
    std::string input, output;
    std::string preset, presetFile;
    std::vector<std::string> assignments;
    int blockSize = 512;
    std::string reportPath, plotPath;
};

int runDemo(const std::string& outDir);
int runRender(const RenderOptions& options);
int runPresets(bool json);
int runCurves(const std::string& plotPath);
