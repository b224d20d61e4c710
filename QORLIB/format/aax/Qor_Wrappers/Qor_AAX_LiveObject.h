#pragma once

#include <cstdint>

// Held by every object the module hands to the host, so that ACFCanUnloadNow can tell how many
// are still alive. Any thread.
class Qor_AAX_LiveObject
{
public:
    Qor_AAX_LiveObject();
    ~Qor_AAX_LiveObject();
    Qor_AAX_LiveObject(const Qor_AAX_LiveObject&) = delete;
    Qor_AAX_LiveObject& operator=(const Qor_AAX_LiveObject&) = delete;

    static int32_t count();
};
