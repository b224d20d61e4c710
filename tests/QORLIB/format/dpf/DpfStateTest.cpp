// The preset state block of the VST3 and CLAP plug-ins: what it carries, and what a damaged or
// foreign one does (nothing).
#include "QORLIB/format/dpf/Qor_DPF_State.h"
#include "tests/QORLIB/format/dpf/PresetFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using qortest::PresetFixture;

TEST(DpfState, CarriesBothSetupsTheirNamesMarksAndTheActiveOne)
{
    PresetFixture saved;
    saved.makeSetups();
    ASSERT_TRUE(saved.manager->setupA().modified);
    const std::vector<uint8_t> block = Qor_DPF::State::save(*saved.manager);
    // "QVCS", then the 'All ' chunk's prefix: version 0x02000000 (little-endian) and "BRXK".
    ASSERT_GT(block.size(), 20u);
    EXPECT_EQ(std::string(block.begin(), block.begin() + 4), "QVCS");
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 8, block.begin() + 16),
              (std::vector<uint8_t>{0, 0, 0, 2, 'B', 'R', 'X', 'K'}));
    EXPECT_EQ(block.back(), 1) << "setup B is the active one";

    PresetFixture loaded;
    ASSERT_TRUE(Qor_DPF::State::restore(*loaded.manager, block.data(), block.size()));
    const QorPresetManager& m = *loaded.manager;
    EXPECT_FALSE(m.setupAActive());
    EXPECT_STREQ(m.setupA().current.name, "CompressHeavy1");
    EXPECT_TRUE(m.setupA().modified);
    EXPECT_FLOAT_EQ(m.setupA().current.values[4], 0.9f);
    EXPECT_FLOAT_EQ(m.setupA().reference.values[4], m.factoryRecord(5).values[4]);
    EXPECT_STREQ(m.setupB().current.name, "Leveller");
    EXPECT_FALSE(m.setupB().modified);
    EXPECT_STREQ(m.current().name, "Leveller");
    EXPECT_EQ(loaded.host.last, 69) << "the editor is told to show the restored presets";
    EXPECT_EQ(Qor_DPF::State::save(*loaded.manager), block) << "saving again gives the same block";
}

TEST(DpfState, ADamagedOrForeignBlockChangesNothing)
{
    PresetFixture saved;
    saved.makeSetups();
    const std::vector<uint8_t> good = Qor_DPF::State::save(*saved.manager);

    PresetFixture target;
    const std::vector<uint8_t> before = Qor_DPF::State::save(*target.manager);
    auto refused = [&](std::vector<uint8_t> bytes, const char* what) {
        EXPECT_FALSE(Qor_DPF::State::restore(*target.manager, bytes.data(), bytes.size())) << what;
        EXPECT_EQ(Qor_DPF::State::save(*target.manager), before) << what;
    };
    refused({}, "empty");
    refused({'Q', 'V', 'C'}, "shorter than the magic");
    refused(std::vector<uint8_t>(good.begin(), good.end() - 1), "no active byte");
    refused(std::vector<uint8_t>(good.begin(), good.begin() + long(good.size() / 2)), "cut in the middle");
    std::vector<uint8_t> bytes = good;
    bytes[0] = 'X';
    refused(bytes, "wrong magic");
    bytes = good;
    std::memcpy(bytes.data() + 12, "ABCD", 4);
    refused(bytes, "a foreign product code");
    bytes = good;
    bytes[4] = 0xff, bytes[5] = 0xff, bytes[6] = 0xff, bytes[7] = 0xff;
    refused(bytes, "a length beyond the end");
    bytes = good;
    bytes[good.size() - 1] = 7;
    refused(bytes, "an active setup that is neither A nor B");
    bytes = good;
    bytes.push_back(0);
    refused(bytes, "bytes after the end");
    EXPECT_FALSE(Qor_DPF::State::restore(*target.manager, nullptr, 10));
}

TEST(DpfState, TheOtherProductCodeIsAcceptedAndUnreadableSetupsFallBackToTheBank)
{
    PresetFixture saved;
    saved.makeSetups();
    std::vector<uint8_t> bytes = Qor_DPF::State::save(*saved.manager);
    std::memcpy(bytes.data() + 12, "KXRB", 4);
    // Setup A's current record (the second field) made unreadable: its first bytes zeroed.
    const std::size_t chunkLength = bytes[4] | bytes[5] << 8 | bytes[6] << 16 | std::size_t(bytes[7]) << 24;
    const std::size_t setupA = 8 + chunkLength + 4;
    std::memset(bytes.data() + setupA, 0, 8);

    PresetFixture loaded;
    ASSERT_TRUE(Qor_DPF::State::restore(*loaded.manager, bytes.data(), bytes.size()));
    // The bank's selected program is B's current one ("Leveller"), now in both setups.
    EXPECT_TRUE(loaded.manager->setupAActive());
    EXPECT_STREQ(loaded.manager->setupA().current.name, "Leveller");
    EXPECT_STREQ(loaded.manager->setupB().current.name, "Leveller");
    EXPECT_EQ(loaded.host.last, 69);
}
