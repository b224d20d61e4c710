#pragma once

#include "QORLIB/format/aax/sdk/AAX_SPlugInChunk.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// A state chunk as the host keeps it: the header fields it cares about and the data bytes.
struct AaxChunk
{
    AAX_CTypeID id = 0;
    int32_t version = 0;
    std::string name;
    std::vector<uint8_t> data;

    // The chunk in the block layout the module reads, fSize being the data's size.
    class Block
    {
    public:
        explicit Block(std::size_t dataSize);
        AAX_SPlugInChunk* chunk() { return reinterpret_cast<AAX_SPlugInChunk*>(storage_.get()); }
        std::size_t capacity() const { return capacity_; }

    private:
        std::unique_ptr<std::max_align_t[]> storage_;
        std::size_t capacity_;
    };
    Block toBlock(AAX_CTypeID manufacturer, AAX_CTypeID product, AAX_CTypeID plugIn) const;

    // "elck", "All " as text.
    std::string idText() const;
    // The file name a chunk is kept under: the ID with its trailing blanks dropped, ".chunk".
    std::string fileName() const;
    // The ID a file name stands for; 0 when it names no chunk.
    static AAX_CTypeID idFromFileName(const std::string& fileName);
};
