#pragma once

#include <string>

struct EditorOptions
{
    std::string screenshot; // draw offscreen into this PNG instead of opening a window
    double zoom = 0.0;      // 0: the user's saved zoom
    std::string input;      // audio to play in a loop through the compressor
};

// `qor-vellacor editor`: the editor in a window of its own, or a screenshot of it. Returns the
// exit code; throws CliError for bad input.
int runEditor(const EditorOptions& options);
