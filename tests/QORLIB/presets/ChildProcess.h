#pragma once

#include "QORLIB/platform/QorProcessRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace qortest
{

// Runs one test of this binary in a new process; answers its standard output, empty when it
// failed. The child's own test main points QOR_SETTINGS_DIR at a sandbox of its own, so a
// shared folder travels in QOR_TEST_SHARED_SETTINGS instead.
inline std::string runTestInChild(const std::string& testName)
{
    const auto r = QorProcessRunner::run(
        {"/proc/self/exe", "--gtest_filter=" + testName, "--gtest_also_run_disabled_tests"}, true, 60000);
    if (!r.exited || r.exitStatus != 0)
        return {};
    return r.output;
}

// True in the child started by runTestInChild, which then uses the shared settings folder.
inline bool inChild()
{
    const char* shared = std::getenv("QOR_TEST_SHARED_SETTINGS");
    if (shared == nullptr)
        return false;
    setenv("QOR_SETTINGS_DIR", shared, 1);
    return true;
}

} // namespace qortest
