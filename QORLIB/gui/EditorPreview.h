#pragma once

#include <string>

// The "editor" command: with a screenshot path, draws the editor offscreen at the zoom (0: the
// user's zoom) and writes it as PNG; without one, opens it in a window until the user closes
// it. Returns the process exit code.
int runEditorPreview(const std::string& screenshotPath, double zoom);
