#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

#include <cstddef>

// A state chunk as host and plug-in exchange it: a fixed header, then fSize bytes of data.
// The host allocates header and data in one block.
struct AAX_SPlugInChunk
{
    int32_t fSize; // bytes of fData
    int32_t fVersion;
    AAX_CTypeID fManufacturerID;
    AAX_CTypeID fProductID;
    AAX_CTypeID fPlugInID;
    AAX_CTypeID fChunkID;
    unsigned char fName[32];
    char fData[1];
};

inline constexpr std::size_t kAAX_ChunkHeaderSize = offsetof(AAX_SPlugInChunk, fData);

// The data bytes; reached through the block rather than through the one-element array.
inline char* AAX_ChunkData(AAX_SPlugInChunk* chunk) { return reinterpret_cast<char*>(chunk) + kAAX_ChunkHeaderSize; }
inline const char* AAX_ChunkData(const AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<const char*>(chunk) + kAAX_ChunkHeaderSize;
}
