#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// Points HOME and QOR_SETTINGS_DIR at a temporary folder for the life of a fuzz run, so that
// no target ever touches the real user's presets or settings.
inline void enterFuzzSandbox()
{
    static std::string folder;
    if (!folder.empty())
        return;
    std::string pattern = (std::filesystem::temp_directory_path() / "qor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    folder = pattern;
    setenv("HOME", folder.c_str(), 1);
    setenv("QOR_SETTINGS_DIR", (folder + "/settings").c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
}
