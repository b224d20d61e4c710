#include "QORLIB/presets/QorPresetManager.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "vellaCor/vellaCorController.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qortest;

namespace
{
struct ChunkTest : testing::Test
{
    UserHome home;
    RecordingHost host;
    QorPresetManager manager{&host, vellaCorFactoryPresets::presetProduct()};
    vellaCorController controller{&host};
    ChunkTest() { host.manager = &manager; }

    std::vector<uint8_t> chunk()
    {
        void* data = nullptr;
        const uint32_t size = controller.getChunk(&data);
        const auto* p = static_cast<const uint8_t*>(data);
        return size > 0 ? std::vector<uint8_t>(p, p + size) : std::vector<uint8_t>();
    }
    // The notifications of a restore: editor state, zoom factor, then the 12 values.
    void expectRestoreNotifications(uint32_t state, double zoom)
    {
        ASSERT_EQ(host.calls.size(), 14u);
        EXPECT_EQ(host.calls[0], (RecordingHost::Call{29, double(state)}));
        EXPECT_EQ(host.calls[1].first, 59);
        EXPECT_DOUBLE_EQ(host.calls[1].second, zoom);
        for (int32_t i = 0; i < 12; ++i)
        {
            EXPECT_EQ(host.calls[2 + i].first, i);
            EXPECT_EQ(host.calls[2 + i].second, manager.current().values[i]);
        }
    }
};

TEST_F(ChunkTest, ChunkIsThePrefixAndTheThreeProgramBody)
{
    manager.selectPreset(15);
    manager.parameterChanged(5, 0.6);
    manager.setEditorState(7);
    void* data = nullptr;
    const uint32_t size = controller.getChunk(&data);
    ASSERT_EQ(size, 8u + 41u + 3 * 392u);
    EXPECT_EQ(data, manager.chunkBuffer()); // owned by the manager
    const auto* p = static_cast<const uint8_t*>(data);
    EXPECT_EQ(std::vector<uint8_t>(p, p + 8), (std::vector<uint8_t>{0, 0, 0, 2, 'B', 'R', 'X', 'K'}));
    EXPECT_EQ(std::vector<uint8_t>(p + 8, p + size), manager.serializeBank());
    EXPECT_EQ(p[8 + 4], 0x38);
    EXPECT_EQ(p[8 + 13], 24);                       // 3 × (program + 7 values) records
    EXPECT_EQ(p[8 + 21] | p[8 + 22] << 8, 1176);    // 3 × 392 bytes of records
    EXPECT_EQ(p[8 + 41 + 2 * 392 + 8], 2);          // program number of the third program
    EXPECT_EQ(p[8 + 29], 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 8 + 41 + 12)), "Kick"); // program 0
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p + 8 + 41 + 392 + 12)), "CompressLite1");
    for (uint32_t i = size; i < manager.chunkBufferSize(); ++i)
        ASSERT_EQ(p[i], 0) << i;
}

TEST_F(ChunkTest, RoundTripRestoresBothSetupsAndNotifiesInOrder)
{
    manager.selectPreset(27);
    manager.parameterChanged(4, 0.95);
    manager.setEditorState(0xABCD);
    manager.setZoom(1.5);
    const QorPresetRecord saved = manager.current();
    const std::vector<uint8_t> bytes = chunk();

    UserHome otherHome;
    RecordingHost otherHost;
    QorPresetManager other(&otherHost, vellaCorFactoryPresets::presetProduct());
    otherHost.manager = &other;
    other.switchSetup(1.0);
    vellaCorController otherController(&otherHost);
    otherHost.calls.clear();
    otherController.setChunk(bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr);

    EXPECT_TRUE(other.setupAActive());
    EXPECT_EQ(std::memcmp(&other.setupA().current, &saved, sizeof saved), 0);
    EXPECT_TRUE(sameSlot(other.setupB(), other.setupA()));
    EXPECT_FALSE(other.modified());
    EXPECT_EQ(other.displayText().number, "CP:");
    EXPECT_EQ(other.editorState(), 0xABCDu);
    EXPECT_EQ(other.zoomPercent(), 150);
    ASSERT_EQ(otherHost.calls.size(), 14u);
    EXPECT_EQ(otherHost.calls[0], (RecordingHost::Call{29, double(0xABCD)}));
    EXPECT_EQ(otherHost.calls[1], (RecordingHost::Call{59, 1.5}));
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_EQ(otherHost.calls[2 + i], (RecordingHost::Call{i, double(saved.values[i])}));
}

TEST_F(ChunkTest, SwappedProductCodeAndBodyAreAccepted)
{
    manager.selectPreset(30);
    std::vector<uint8_t> bytes = chunk();
    const QorPresetRecord saved = manager.current();
    std::vector<uint8_t> body(bytes.begin() + 8, bytes.end());
    body = byteSwapped(body);
    std::vector<uint8_t> swapped{0, 0, 0, 2, 'K', 'X', 'R', 'B'};
    swapped.insert(swapped.end(), body.begin(), body.end());
    manager.selectPreset(1);
    host.calls.clear();
    controller.setChunk(swapped.data(), static_cast<uint32_t>(swapped.size()), nullptr);
    EXPECT_EQ(std::memcmp(&manager.current(), &saved, sizeof saved), 0);
    expectRestoreNotifications(0, manager.zoomFactor());
}

TEST_F(ChunkTest, OtherProductCodeOrShortChunkOnlyPushesTheCurrentValues)
{
    manager.selectPreset(20);
    std::vector<uint8_t> bytes = chunk();
    bytes[4] = 'X';
    manager.selectPreset(7);
    const QorPresetRecord before = manager.current();
    host.calls.clear();
    controller.setChunk(bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr);
    EXPECT_EQ(std::memcmp(&manager.current(), &before, sizeof before), 0);
    EXPECT_EQ(manager.index(), 7);
    ASSERT_EQ(host.calls.size(), 12u);
    EXPECT_EQ(host.calls[6], (RecordingHost::Call{6, double(before.values[6])}));

    const std::vector<uint8_t> four{0, 0, 0, 2}; // too short to hold a product code
    host.calls.clear();
    controller.setChunk(four.data(), 4, nullptr);
    controller.setChunk(nullptr, 0, nullptr);
    EXPECT_EQ(host.calls.size(), 24u);
}

TEST_F(ChunkTest, RestoreClampsValuesAndIgnoresProgramsOutsideTheBank)
{
    std::vector<uint8_t> body = header(0x38, 7, 3 * 168 + 4 * 32, 3, 90, 1);
    programRecord(body, 1, "restored");
    valueRecord(body, 1, 4, std::numeric_limits<float>::quiet_NaN());
    valueRecord(body, 1, 5, -3.0f);
    valueRecord(body, 1, 6, 2.0f);
    valueRecord(body, 1, 2, 0.25f);
    programRecord(body, 43, "outside");
    programRecord(body, 2, ""); // an empty name keeps the initial record's name
    std::vector<uint8_t> bytes{0, 0, 0, 2, 'B', 'R', 'X', 'K'};
    bytes.insert(bytes.end(), body.begin(), body.end());
    host.calls.clear();
    controller.setChunk(bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr);
    EXPECT_STREQ(manager.current().name, "restored");
    EXPECT_EQ(manager.current().values[4], 0.0f);
    EXPECT_EQ(manager.current().values[5], 0.0f);
    EXPECT_EQ(manager.current().values[6], 1.0f);
    EXPECT_EQ(manager.current().values[2], float(2.0 / 6.0)); // Ratio's step of 0.25: trunc(1.5 + 0.5)
    EXPECT_FLOAT_EQ(manager.current().values[0], 1.0f); // from the initial record
    EXPECT_STREQ(manager.bank().programs()[2].name, "Default");
    expectRestoreNotifications(3, 0.9);

    // A selected program outside the bank selects program 0; a negative count restores nothing.
    std::vector<uint8_t> again = bytes;
    again[8 + 17] = 99;
    controller.setChunk(again.data(), static_cast<uint32_t>(again.size()), nullptr);
    EXPECT_STREQ(manager.current().name, manager.bank().programs()[0].name);
    manager.setEditorState(11);
    again[8 + 13] = again[8 + 14] = again[8 + 15] = again[8 + 16] = 0xFF;
    controller.setChunk(again.data(), static_cast<uint32_t>(again.size()), nullptr);
    EXPECT_EQ(manager.editorState(), 11u);
}

TEST(Controller, WithoutAPresetManagerThereIsNoChunk)
{
    RecordingHost host;
    vellaCorController controller(&host);
    void* data = &host;
    EXPECT_EQ(controller.getChunk(&data), 0u);
    EXPECT_EQ(data, &host);
    const uint8_t bytes[12] = {0, 0, 0, 2, 'B', 'R', 'X', 'K'};
    controller.setChunk(bytes, sizeof bytes, nullptr);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(controller.receiveMessage(bytes, 3));
    vellaCorController orphan(nullptr);
    EXPECT_EQ(orphan.getChunk(&data), 0u);
    orphan.setChunk(bytes, sizeof bytes, nullptr);
}
} // namespace
