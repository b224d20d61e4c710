#include "QORLIB/format/aax/host/AaxChunk.h"

#include <algorithm>
#include <cstring>

AaxChunk::Block::Block(std::size_t dataSize) : capacity_(dataSize)
{
    const std::size_t bytes = kAAX_ChunkHeaderSize + dataSize;
    const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    storage_ = std::make_unique<std::max_align_t[]>(units);
    std::memset(storage_.get(), 0, units * sizeof(std::max_align_t));
}

AaxChunk::Block AaxChunk::toBlock(AAX_CTypeID manufacturer, AAX_CTypeID product, AAX_CTypeID plugIn) const
{
    Block block(data.size());
    AAX_SPlugInChunk* c = block.chunk();
    c->fSize = int32_t(data.size());
    c->fVersion = version;
    c->fManufacturerID = manufacturer;
    c->fProductID = product;
    c->fPlugInID = plugIn;
    c->fChunkID = id;
    std::memcpy(c->fName, name.data(), std::min(name.size(), sizeof c->fName - 1));
    if (!data.empty())
        std::memcpy(AAX_ChunkData(c), data.data(), data.size());
    return block;
}

std::string AaxChunk::idText() const
{
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[std::size_t(i)] = char((id >> (24 - 8 * i)) & 0xFF);
    return text;
}

std::string AaxChunk::fileName() const
{
    std::string text = idText();
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text + ".chunk";
}

AAX_CTypeID AaxChunk::idFromFileName(const std::string& fileName)
{
    const std::string suffix = ".chunk";
    if (fileName.size() <= suffix.size() || fileName.size() > suffix.size() + 4 ||
        fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    std::string code = fileName.substr(0, fileName.size() - suffix.size());
    code.resize(4, ' ');
    AAX_CTypeID id = 0;
    for (char ch : code)
        id = id << 8 | uint8_t(ch);
    return id;
}
