#pragma once

#include <cstdint>

// A text handed across the host interface; the side that owns the object owns the storage.
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;
    virtual const char* Get() const = 0;
    virtual void Set(const char* text) = 0;
    virtual uint32_t Length() const = 0;
};
