#include "QORLIB/format/aax/sdk/AAX_CChunkDataParser.h"

#include "QORLIB/format/aax/sdk/AAX_CHostServices.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_SPlugInChunk.h"

#include <cstring>

namespace
{
constexpr uint8_t kTypeDouble = 1;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kEntryFixedSize = 2 + 8; // type, name length, value

void putU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

uint32_t getU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void putDouble(uint8_t* p, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = uint8_t(bits >> (8 * i));
}

double getDouble(const uint8_t* p)
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= uint64_t(p[i]) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
} // namespace

void AAX_CChunkDataParser::AddDouble(const char* name, double value)
{
    if (name == nullptr || name[0] == '\0')
        return;
    entries_.push_back({std::string(name, strnlen(name, kMaxNameLength)), value});
}

bool AAX_CChunkDataParser::FindDouble(const char* name, double* value) const
{
    if (name == nullptr || value == nullptr)
        return false;
    for (const auto& e : entries_)
        if (e.name == name)
        {
            *value = e.value;
            return true;
        }
    return false;
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    std::size_t size = kHeaderSize;
    for (const auto& e : entries_)
        size += kEntryFixedSize + e.name.size();
    return int32_t(size);
}

bool AAX_CChunkDataParser::WriteChunkData(AAX_SPlugInChunk* chunk) const
{
    if (chunk == nullptr)
        return false;
    const int32_t size = GetChunkDataSize();
    if (chunk->fSize < size)
    {
        AAX_CHostServices::Trace(AAX_eTracePriorityHost_Normal, "aborting: chunk data will overflow buffer");
        return false;
    }
    auto* p = reinterpret_cast<uint8_t*>(AAX_ChunkData(chunk));
    putU32(p, uint32_t(kChunkVersion));
    putU32(p + 4, uint32_t(entries_.size()));
    p += kHeaderSize;
    for (const auto& e : entries_)
    {
        p[0] = kTypeDouble;
        p[1] = uint8_t(e.name.size());
        std::memcpy(p + 2, e.name.data(), e.name.size());
        putDouble(p + 2 + e.name.size(), e.value);
        p += kEntryFixedSize + e.name.size();
    }
    return true;
}

AAX_Result AAX_CChunkDataParser::LoadChunkData(const AAX_SPlugInChunk* chunk)
{
    entries_.clear();
    if (chunk == nullptr || chunk->fSize < int32_t(kHeaderSize))
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    const auto* p = reinterpret_cast<const uint8_t*>(AAX_ChunkData(chunk));
    const std::size_t size = std::size_t(chunk->fSize);
    const uint32_t count = getU32(p + 4);
    // Each entry takes at least 11 bytes, so a count above that bound cannot be honest.
    if (getU32(p) != uint32_t(kChunkVersion) || count > (size - kHeaderSize) / (kEntryFixedSize + 1))
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    std::vector<Entry> read;
    read.reserve(count);
    std::size_t at = kHeaderSize;
    for (uint32_t i = 0; i < count; ++i)
    {
        if (size - at < kEntryFixedSize + 1)
            return AAX_ERROR_INCORRECT_CHUNK_SIZE;
        const std::size_t nameLength = p[at + 1];
        if (p[at] != kTypeDouble || nameLength == 0 || nameLength > kMaxNameLength ||
            size - at < kEntryFixedSize + nameLength)
            return AAX_ERROR_INCORRECT_CHUNK_SIZE;
        read.push_back({std::string(reinterpret_cast<const char*>(p + at + 2), nameLength),
                        getDouble(p + at + 2 + nameLength)});
        at += kEntryFixedSize + nameLength;
    }
    if (at != size)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    entries_ = std::move(read);
    return AAX_SUCCESS;
}
