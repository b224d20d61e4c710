// qor-vellacor-editor [--screenshot FILE.png] [--zoom Z]
// Shows the editor in a window, or draws it offscreen into a PNG file.
#include "QORLIB/gui/EditorPreview.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    std::string screenshot;
    double zoom = 0.0;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if ((arg == "--screenshot" || arg == "--zoom") && i + 1 < argc)
        {
            const std::string value = argv[++i];
            if (arg == "--screenshot")
                screenshot = value;
            else
            {
                char* end = nullptr;
                zoom = std::strtod(value.c_str(), &end);
                if (end == value.c_str() || *end != '\0' || !(zoom > 0.0))
                {
                    std::fprintf(stderr, "%s: --zoom wants a zoom factor above 0 (0.7 to 4.0), not '%s'\n", argv[0], value.c_str());
                    return 2;
                }
            }
        }
        else
        {
            std::fprintf(stderr, "usage: %s [--screenshot FILE.png] [--zoom Z]\n", argv[0]);
            return arg == "--help" || arg == "-h" ? 0 : 2;
        }
    }
    return runEditorPreview(screenshot, zoom);
}
