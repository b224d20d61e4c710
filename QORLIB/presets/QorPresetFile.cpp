#include "QORLIB/presets/QorPresetFile.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr uint8_t kMagic[4] = {'B', 'R', 'X', 'K'};
constexpr uint8_t kSwappedMagic[4] = {'K', 'X', 'R', 'B'};
constexpr uint32_t kMinProgramPayload = QorPresetRecord::kNameSize;
constexpr uint32_t kMinValuePayload = 16; // index at 0, value at 12

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putF32(std::vector<uint8_t>& out, float f)
{
    uint32_t v = 0;
    std::memcpy(&v, &f, sizeof v);
    putU32(out, v);
}

void putZeros(std::vector<uint8_t>& out, std::size_t n) { out.insert(out.end(), n, 0); }

std::vector<uint32_t> storedIndices(const QorPresetProduct& product)
{
    std::vector<uint32_t> indices;
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        if ((product.parameterFlags(i) & (kQorStoredInPresets | kQorKeptOnFactoryLoad)) != 0)
            indices.push_back(i);
    return indices;
}
} // namespace

uint32_t QorPresetFile::readU32(const uint8_t* p, bool swapped)
{
    if (swapped)
        return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

uint32_t QorPresetFile::Record::valueIndex() const { return readU32(payload, swapped); }

float QorPresetFile::Record::value() const
{
    const uint32_t bits = readU32(payload + 12, swapped);
    float f = 0.0f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

std::vector<uint8_t> QorPresetFile::write(uint8_t kind, const QorPresetRecord* programs,
                                          uint32_t count, const QorPresetProduct& product,
                                          uint32_t editorState, int32_t zoomPercent)
{
    const std::vector<uint32_t> stored = storedIndices(product);
    const uint32_t perProgram = static_cast<uint32_t>(stored.size());
    const uint32_t areaSize =
        count * (static_cast<uint32_t>(kRecordHeadSize) * (1 + perProgram) + kProgramPayload +
                 kValuePayload * perProgram);
    std::vector<uint8_t> out;
    out.reserve(kHeaderSize + areaSize);
    out.insert(out.end(), kMagic, kMagic + 4);
    out.push_back(kind);
    putU32(out, kFormatWord);
    putU32(out, QorPresetRecord::kNumValues);
    putU32(out, (1 + perProgram) * count);
    putU32(out, 0); // selected program
    putU32(out, areaSize);
    putU32(out, kHeaderConstant);
    putU32(out, editorState);
    putU32(out, static_cast<uint32_t>(zoomPercent));
    putU32(out, 0);

    for (uint32_t p = 0; p < count; ++p)
    {
        putU32(out, kProgramRecord);
        putU32(out, kProgramPayload);
        putU32(out, p);
        char name[QorPresetRecord::kNameSize] = {};
        std::memcpy(name, programs[p].name, strnlen(programs[p].name, sizeof name - 1));
        out.insert(out.end(), name, name + sizeof name);
        putZeros(out, kProgramPayload - sizeof name);
        for (uint32_t index : stored)
        {
            putU32(out, kValueRecord);
            putU32(out, kValuePayload);
            putU32(out, p);
            putU32(out, index);
            putZeros(out, 8);
            putF32(out, programs[p].values[index]);
            putZeros(out, 4);
        }
    }
    return out;
}

bool QorPresetFile::hasMagic(const uint8_t* data, std::size_t size, bool& swapped)
{
    if (data == nullptr || size < 5)
        return false;
    if (std::memcmp(data, kMagic, 4) == 0)
        swapped = false;
    else if (std::memcmp(data, kSwappedMagic, 4) == 0)
        swapped = true;
    else
        return false;
    return true;
}

bool QorPresetFile::readHeader(const uint8_t* data, std::size_t size, Header& h)
{
    bool swapped = false;
    if (!hasMagic(data, size, swapped) || size < kHeaderSize)
        return false;
    h.swapped = swapped;
    h.kind = data[4];
    h.format = readU32(data + 5, swapped);
    h.valueSlots = readU32(data + 9, swapped);
    h.recordCount = static_cast<int32_t>(readU32(data + 13, swapped));
    h.selectedProgram = readU32(data + 17, swapped);
    h.areaSize = readU32(data + 21, swapped);
    h.constant = readU32(data + 25, swapped);
    h.editorState = readU32(data + 29, swapped);
    h.zoomPercent = static_cast<int32_t>(readU32(data + 33, swapped));
    h.reserved = readU32(data + 37, swapped);
    return true;
}

void QorPresetFile::walk(const uint8_t* data, std::size_t size, const Header& h,
                         const Visitor& visit)
{
    if (data == nullptr || size < kHeaderSize || h.recordCount < 0)
        return;
    const std::size_t end = kHeaderSize + std::min<std::size_t>(h.areaSize, size - kHeaderSize);
    std::size_t pos = kHeaderSize;
    for (int32_t i = 0; i < h.recordCount; ++i)
    {
        if (end - pos < kRecordHeadSize)
            return;
        const uint32_t type = readU32(data + pos, h.swapped);
        const uint32_t payloadSize = readU32(data + pos + 4, h.swapped);
        const uint32_t program = readU32(data + pos + 8, h.swapped);
        pos += kRecordHeadSize;
        if (payloadSize > end - pos)
            return;
        if ((type == kProgramRecord && payloadSize < kMinProgramPayload) ||
            (type == kValueRecord && payloadSize < kMinValuePayload))
            return;
        if (!visit(Record{type, program, data + pos, payloadSize, h.swapped}))
            return;
        pos += payloadSize;
    }
}

bool QorPresetFile::readProgram(const uint8_t* data, std::size_t size, QorPresetRecord& record,
                                const QorPresetProduct& product)
{
    Header h;
    if (!readHeader(data, size, h) || h.kind != kKindProgram)
        return false;
    // A file cut short of the record area it declares is damaged, not a preset with defaults.
    if (h.recordCount >= 0 && size - kHeaderSize < h.areaSize)
        return false;
    walk(data, size, h, [&](const Record& r) {
        if (r.type == kProgramRecord)
            record.setNameBytes(r.nameBytes());
        else if (r.type == kValueRecord)
        {
            const uint32_t index = r.valueIndex();
            float v = r.value();
            if (std::isnan(v) || v < 0.0f || v > 1.0f)
                v = static_cast<float>(product.parameterDefault(index));
            if (index < QorPresetRecord::kNumValues)
                record.values[index] = v;
        }
        return true;
    });
    return true;
}
