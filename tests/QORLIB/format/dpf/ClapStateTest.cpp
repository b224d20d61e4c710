// The CLAP plug-in's saved state carries the preset manager's A/B setups, names and modified
// mark from one instance into a fresh one.
#include "QORLIB/format/dpf/Qor_DPF_State.h"
#include "tests/QORLIB/format/dpf/ClapHost.h"
#include "tests/QORLIB/format/dpf/PresetFixture.h"

#include "extra/Base64.hpp"
#include "extra/String.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
const std::string kStereo = QOR_DPF_CLAP_DIR "/qor-vellacor-stereo.clap";
constexpr const char* kStereoId = "com.qor-werk.vellacor.stereo";
// DPF writes its key and value separators as zero bytes.
const std::string kKey = std::string("presets") + '\0';

// Our block inside the host's state bytes, and where its text stands.
std::vector<uint8_t> block(const std::vector<uint8_t>& state, std::size_t& from, std::size_t& to)
{
    const std::string text(state.begin(), state.end());
    from = text.find(kKey);
    if (from == std::string::npos)
        return {};
    from += kKey.size();
    to = text.find('\0', from);
    return d_getChunkFromBase64String(text.substr(from, to - from).c_str());
}
} // namespace

TEST(ClapState, SetupsNamesAndMarkSurviveSavingAndLoadingIntoAFreshInstance)
{
    qortest::ClapModule module(kStereo);
    ASSERT_TRUE(module.ok()) << module.error();
    std::vector<uint8_t> state;
    {
        qortest::ClapInstance first(module, kStereoId);
        ASSERT_TRUE(first.ok());
        state = first.saveState();
    }
    std::size_t from = 0, to = 0;
    ASSERT_FALSE(block(state, from, to).empty()) << "the state holds our preset block";

    // What the user made in the editor: A modified, B active (the editor's side of the instance).
    qortest::PresetFixture edited;
    edited.makeSetups();
    const std::vector<uint8_t> ours = Qor_DPF::State::save(*edited.manager);
    const DISTRHO::String encoded = DISTRHO::String::asBase64(ours.data(), ours.size());
    std::string text(state.begin(), state.end());
    text.replace(from, to - from, encoded.buffer());

    qortest::ClapInstance second(module, kStereoId);
    ASSERT_TRUE(second.loadState(std::vector<uint8_t>(text.begin(), text.end())));
    const std::vector<uint8_t> again = second.saveState();
    EXPECT_EQ(block(again, from, to), ours) << "the fresh instance saves what it loaded";

    qortest::PresetFixture reread;
    const std::vector<uint8_t> bytes = block(again, from, to);
    ASSERT_TRUE(Qor_DPF::State::restore(*reread.manager, bytes.data(), bytes.size()));
    EXPECT_FALSE(reread.manager->setupAActive());
    EXPECT_STREQ(reread.manager->setupA().current.name, "CompressHeavy1");
    EXPECT_TRUE(reread.manager->setupA().modified);
    EXPECT_STREQ(reread.manager->setupB().current.name, "Leveller");
    EXPECT_FALSE(reread.manager->setupB().modified);

    // A damaged block leaves the instance as it was.
    text.replace(from, 8, "AAAAAAAA");
    qortest::ClapInstance third(module, kStereoId);
    third.loadState(std::vector<uint8_t>(text.begin(), text.end()));
    qortest::ClapInstance fresh(module, kStereoId);
    std::size_t f2 = 0, t2 = 0;
    const std::vector<uint8_t> thirdBlock = block(third.saveState(), from, to);
    EXPECT_EQ(thirdBlock, block(fresh.saveState(), f2, t2));
}
