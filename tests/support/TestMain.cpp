// Test entry point: no test may touch the real user's files, so HOME, XDG_CONFIG_HOME and
// QOR_SETTINGS_DIR point into a private temporary folder that is removed afterwards.
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    qortest::TempDir sandbox("qor-home");
    const auto home = sandbox.path() / "home";
    const auto config = home / ".config";
    const auto settings = sandbox.path() / "settings";
    std::filesystem::create_directories(config);
    std::filesystem::create_directories(settings);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("QOR_SETTINGS_DIR", settings.c_str(), 1);
    return RUN_ALL_TESTS();
}
