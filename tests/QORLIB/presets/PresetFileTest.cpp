#include "QORLIB/presets/QorPresetFile.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qortest;

namespace
{
const QorPresetProduct& product() { return vellaCorFactoryPresets::presetProduct(); }

QorPresetRecord record(const char* name, const float (&v)[7])
{
    QorPresetRecord r;
    r.setName(name);
    const int indices[7] = {0, 2, 3, 4, 5, 6, 7};
    for (int i = 0; i < 7; ++i)
        r.values[indices[i]] = v[i];
    r.values[1] = 0.9f; // not stored: never written
    return r;
}

const float kKick[7] = {1.0f, 0.5f, 0.5f, 0.3f, 0.5f, 0.133f, 0.5f};

TEST(PresetFile, OneProgramIsThe433BytesLaidOutByHand)
{
    const QorPresetRecord r = record("Kick", kKick);
    std::vector<uint8_t> expected = header(0x22, 8, 392, 0x11223344, 125);
    programRecord(expected, 0, "Kick");
    const uint32_t indices[7] = {0, 2, 3, 4, 5, 6, 7};
    for (int i = 0; i < 7; ++i)
        valueRecord(expected, 0, indices[i], kKick[i]);
    ASSERT_EQ(expected.size(), 433u);

    const auto bytes = QorPresetFile::write(0x22, &r, 1, product(), 0x11223344, 125);
    EXPECT_EQ(bytes, expected);
    // Spot checks of the layout itself: kind, record count, area size, zoom, the first value.
    EXPECT_EQ(bytes[4], 0x22);
    EXPECT_EQ(bytes[13], 8);
    EXPECT_EQ(bytes[21] | bytes[22] << 8, 392);
    EXPECT_EQ(bytes[33], 125);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[41 + 12])), "Kick");
    EXPECT_EQ(bytes[41 + 168 + 12], 0);                      // first value record: index 0
    EXPECT_EQ(bytes[41 + 168 + 32 + 12], 2);                 // second: index 2
    EXPECT_EQ(bytes[41 + 168 + 27], 0x3F);                   // 1.0f = 00 00 80 3F
}

TEST(PresetFile, ByteSwappedFileLoadsLikeTheNativeOne)
{
    const auto native = onePreset("Snare", kKick);
    const auto swapped = byteSwapped(native);
    ASSERT_NE(native, swapped);
    ASSERT_EQ(swapped[0], 'K');
    QorPresetRecord a, b;
    ASSERT_TRUE(QorPresetFile::readProgram(native.data(), native.size(), a, product()));
    ASSERT_TRUE(QorPresetFile::readProgram(swapped.data(), swapped.size(), b, product()));
    EXPECT_STREQ(b.name, "Snare");
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
    EXPECT_FLOAT_EQ(b.values[6], 0.133f);
}

TEST(PresetFile, BadValuesLoadAsTheParameterDefault)
{
    std::vector<uint8_t> b = header(0x22, 6, 168 + 5 * 32);
    programRecord(b, 0, "bad");
    valueRecord(b, 0, 6, 1.5f);                                      // Output: default 0.15
    valueRecord(b, 0, 0, std::numeric_limits<float>::quiet_NaN());  // Process: default 1.0
    valueRecord(b, 0, 4, -0.25f);                                    // Time: default 0.5
    valueRecord(b, 0, 12, 0.3f);                                     // no record slot
    valueRecord(b, 0, 2, 0.25f);
    QorPresetRecord r;
    for (float& v : r.values)
        v = 0.7f;
    ASSERT_TRUE(QorPresetFile::readProgram(b.data(), b.size(), r, product()));
    EXPECT_FLOAT_EQ(r.values[6], 0.15f);
    EXPECT_FLOAT_EQ(r.values[0], 1.0f);
    EXPECT_FLOAT_EQ(r.values[4], 0.5f);
    EXPECT_FLOAT_EQ(r.values[2], 0.25f);
    EXPECT_FLOAT_EQ(r.values[3], 0.7f);
}

TEST(PresetFile, ForeignMagicOtherKindOrCutShortFileLeaveTheRecordUntouched)
{
    QorPresetRecord r;
    r.setName("untouched");
    const QorPresetRecord before = r;
    auto good = onePreset("x", kKick);
    auto foreign = good;
    foreign[0] = 'Q';
    auto bank = onePreset("x", kKick, 0x38);
    std::vector<uint8_t> shortHeader(good.begin(), good.begin() + 40);
    // Cut inside the last value record, and right after the program record: the header still
    // declares 392 bytes of records, so neither is a preset with defaults for what is missing.
    std::vector<uint8_t> cutInRecord(good.begin(), good.end() - 5);
    std::vector<uint8_t> cutAfterName(good.begin(), good.begin() + 41 + 168);
    for (const std::vector<uint8_t>* b : {&foreign, &bank, &shortHeader, &cutInRecord, &cutAfterName})
    {
        EXPECT_FALSE(QorPresetFile::readProgram(b->data(), b->size(), r, product())) << b->size();
        EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
    }
    EXPECT_FALSE(QorPresetFile::readProgram(nullptr, 0, r, product()));
    // One byte more than the record area is no damage.
    good.push_back(0);
    EXPECT_TRUE(QorPresetFile::readProgram(good.data(), good.size(), r, product()));
    EXPECT_STREQ(r.name, "x");
}

// Every walk ends at the bytes it was given (the clipboard and the host chunk walk what they
// get). The buffers below are exactly as long as their content, so the address sanitizer
// reports any read beyond them.
TEST(PresetFile, RecordWalkStopsAtTheEndOfTheBytes)
{
    const auto walked = [](const std::vector<uint8_t>& b) {
        QorPresetFile::Header h;
        std::vector<std::pair<uint32_t, float>> values;
        if (QorPresetFile::readHeader(b.data(), b.size(), h))
            QorPresetFile::walk(b.data(), b.size(), h, [&](const QorPresetFile::Record& r) {
                values.emplace_back(r.valueIndex(), r.value());
                return true;
            });
        return values;
    };
    using Values = std::vector<std::pair<uint32_t, float>>;
    // Payload size pointing far past the end: the record is not read.
    std::vector<uint8_t> b = header(0x22, 2, 1000);
    valueRecord(b, 0, 4, 0.25f);
    le32(b, 1);
    le32(b, 0xFFFFFFF0u);
    le32(b, 0);
    le32(b, 5);
    EXPECT_EQ(walked(b), (Values{{4, 0.25f}}));

    // A record count far beyond the records there, and a cut-off last record.
    std::vector<uint8_t> c = header(0x22, 0x7FFFFFFF, 0xFFFFFFFFu);
    valueRecord(c, 0, 3, 0.75f);
    valueRecord(c, 0, 7, 0.25f);
    c.erase(c.end() - 5, c.end());
    EXPECT_EQ(walked(c), (Values{{3, 0.75f}}));

    // The record area size limits the walk even when more bytes follow.
    std::vector<uint8_t> d = header(0x22, 2, 32);
    valueRecord(d, 0, 2, 0.125f);
    valueRecord(d, 0, 6, 0.5f);
    EXPECT_EQ(walked(d), (Values{{2, 0.125f}}));
    QorPresetRecord r;
    r.values[6] = 0.9f;
    ASSERT_TRUE(QorPresetFile::readProgram(d.data(), d.size(), r, product()));
    EXPECT_FLOAT_EQ(r.values[2], 0.125f);
    EXPECT_FLOAT_EQ(r.values[6], 0.9f);

    // A value record declaring a payload too short for its value.
    std::vector<uint8_t> e = header(0x22, 1, 16);
    le32(e, 1);
    le32(e, 4);
    le32(e, 0);
    le32(e, 2);
    EXPECT_TRUE(walked(e).empty());
}

TEST(PresetFile, NameWithoutTerminatorIsCutTo23AndNegativeCountReadsNothing)
{
    std::vector<uint8_t> b = header(0x22, 1, 168);
    le32(b, 0);
    le32(b, 156);
    le32(b, 0);
    b.insert(b.end(), 24, 'N');
    zeros(b, 132);
    QorPresetRecord r;
    ASSERT_TRUE(QorPresetFile::readProgram(b.data(), b.size(), r, product()));
    EXPECT_EQ(std::string(r.name), std::string(23, 'N'));

    auto negative = onePreset("neg", kKick);
    negative[13] = negative[14] = negative[15] = negative[16] = 0xFF; // -1 records
    QorPresetRecord untouched;
    untouched.setName("keep");
    ASSERT_TRUE(QorPresetFile::readProgram(negative.data(), negative.size(), untouched, product()));
    EXPECT_STREQ(untouched.name, "keep");
    EXPECT_EQ(untouched.values[0], 0.0f);
}

TEST(PresetRecord, NameLengthRule)
{
    QorPresetRecord r;
    const std::string exact(23, 'a');
    r.setName(exact.c_str());
    EXPECT_EQ(std::string(r.name), exact);
    r.setName((exact + "bc").c_str());
    EXPECT_EQ(std::string(r.name), exact);
    r.setName("ab");
    EXPECT_EQ(r.name[2], 0);
    EXPECT_EQ(r.name[23], 0);
}
} // namespace
