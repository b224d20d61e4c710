#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The PNG images compiled into the product, by resource id.
namespace QorResourceTable
{
struct Entry
{
    int id;
    const unsigned char* data;
    size_t size;
};

std::span<const Entry> entries();
// The bytes of an image; empty when no image has that id.
std::span<const uint8_t> findImage(int id);
} // namespace QorResourceTable
