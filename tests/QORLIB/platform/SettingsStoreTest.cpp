#include "QORLIB/platform/QorSettingsStore.h"
#include "tests/QORLIB/platform/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

using qortest::ScopedEnv;

namespace
{
std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

TEST(SettingsStore, RootFollowsTheEnvironmentInOrder)
{
    ScopedEnv home("HOME", "/home/u");
    {
        ScopedEnv dir("QOR_SETTINGS_DIR", "/tmp/qs");
        EXPECT_EQ(QorSettingsStore::root(), "/tmp/qs");
    }
    ScopedEnv noDir("QOR_SETTINGS_DIR", std::nullopt);
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(QorSettingsStore::root(), "/cfg/Qor-werk");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/cfg"); // not absolute: ignored
        EXPECT_EQ(QorSettingsStore::root(), "/home/u/.config/Qor-werk");
    }
    ScopedEnv noXdg("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(QorSettingsStore::root(), "/home/u/.config/Qor-werk");
    ScopedEnv noHome("HOME", std::nullopt);
    EXPECT_EQ(QorSettingsStore::root(), "");
    EXPECT_EQ(QorSettingsStore::writeValue("K", "v", "x", 1), QorSettingsStore::kNoRoot);
}

TEST(SettingsStore, ValuesRoundTripAndReplaceWithoutLeavingTemporaries)
{
    qortest::TempDir root;
    ScopedEnv dir("QOR_SETTINGS_DIR", root.path().string());
    std::vector<uint8_t> out;
    EXPECT_EQ(QorSettingsStore::readValue("QORVC1", "MemoA", out, 100), QorSettingsStore::kNotFound);

    const auto first = bytesOf("first value");
    ASSERT_EQ(QorSettingsStore::writeValue("QORVC1", "MemoA", first.data(), first.size()), 0);
    const auto second = bytesOf("2nd");
    ASSERT_EQ(QorSettingsStore::writeValue("QORVC1", "MemoA", second.data(), second.size()), 0);
    ASSERT_EQ(QorSettingsStore::readValue("QORVC1", "MemoA", out, 100), 0);
    EXPECT_EQ(out, second);

    // The key is a folder holding exactly one file per value.
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(root.path() / "QORVC1"))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"MemoA"});

    EXPECT_EQ(QorSettingsStore::writeValue("QORVC1", "Empty", nullptr, 0), 0);
    out = first;
    ASSERT_EQ(QorSettingsStore::readValue("QORVC1", "Empty", out, 100), 0);
    EXPECT_TRUE(out.empty());

    EXPECT_EQ(QorSettingsStore::removeValue("QORVC1", "MemoA"), 0);
    EXPECT_EQ(QorSettingsStore::readValue("QORVC1", "MemoA", out, 100), QorSettingsStore::kNotFound);
}

TEST(SettingsStore, RefusesNamesThatLeaveTheKeyAndValuesTooLong)
{
    qortest::TempDir root;
    ScopedEnv dir("QOR_SETTINGS_DIR", (root.path() / "store").string());
    for (const char* name : {"", ".", "..", "../x", "a/b"})
        EXPECT_EQ(QorSettingsStore::writeValue("K", name, "x", 1), QorSettingsStore::kBadName) << name;
    for (const char* key : {"", "..", "A/../B", "/abs", "A//B"})
        EXPECT_EQ(QorSettingsStore::writeValue(key, "v", "x", 1), QorSettingsStore::kBadName) << key;
    EXPECT_FALSE(std::filesystem::exists(root.path() / "x"));
    EXPECT_EQ(QorSettingsStore::writeValue("A/B", "v", "x", 1), 0);

    const std::vector<uint8_t> big(17, 7);
    ASSERT_EQ(QorSettingsStore::writeValue("K", "big", big.data(), big.size()), 0);
    std::vector<uint8_t> out{1, 2};
    EXPECT_EQ(QorSettingsStore::readValue("K", "big", out, 16), QorSettingsStore::kTooLarge);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(QorSettingsStore::readValue("K", "big", out, 17), 0);
    EXPECT_EQ(out, big);
}

// A reader running beside a writer sees one whole value or the other, never a mixture.
TEST(SettingsStore, ConcurrentReaderNeverSeesATornValue)
{
    qortest::TempDir root;
    ScopedEnv dir("QOR_SETTINGS_DIR", root.path().string());
    const std::vector<uint8_t> a(20000, 'a');
    const std::vector<uint8_t> b(30000, 'b');
    ASSERT_EQ(QorSettingsStore::writeValue("K", "v", a.data(), a.size()), 0);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; i < 200 && !stop; ++i)
        {
            const auto& v = i % 2 ? a : b;
            QorSettingsStore::writeValue("K", "v", v.data(), v.size());
        }
        stop = true;
    });
    int reads = 0;
    while (!stop)
    {
        std::vector<uint8_t> out;
        ASSERT_EQ(QorSettingsStore::readValue("K", "v", out, 1 << 20), 0);
        ASSERT_TRUE(out == a || out == b) << "torn read of " << out.size() << " bytes";
        ++reads;
    }
    writer.join();
    EXPECT_GT(reads, 0);
}
} // namespace
