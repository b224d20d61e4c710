// Build step: writes the bundle's Turtle files into the folder given, from the parameter table
// and the factory bank, so that they can never disagree with the code.
#include "QORLIB/format/lv2/Qor_LV2_Turtle.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
bool write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out.flush());
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s BUNDLE_DIR BINARY_NAME\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    if (!write(dir + "/manifest.ttl", Qor_LV2::manifestTurtle(argv[2])) ||
        !write(dir + "/qor-vellacor.ttl", Qor_LV2::pluginTurtle()) ||
        !write(dir + "/presets.ttl", Qor_LV2::presetsTurtle()))
    {
        std::fprintf(stderr, "%s: cannot write the Turtle files into %s\n", argv[0], dir.c_str());
        return 1;
    }
    return 0;
}
