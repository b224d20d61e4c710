#pragma once

// The component layer under the AAX interfaces: identifiers, result codes and the reference-
// counted base interface through which host and module find each other's interfaces.

#include <cstdint>

struct acfUID
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];

    friend bool operator==(const acfUID&, const acfUID&) = default;
};
using acfIID = acfUID;

using ACFRESULT = int32_t;
inline constexpr ACFRESULT ACF_OK = 0;
inline constexpr ACFRESULT ACF_E_UNEXPECTED = int32_t(0x8000FFFF);
inline constexpr ACFRESULT ACF_E_NOINTERFACE = int32_t(0x80004002);

class IACFUnknown
{
public:
    // Sets out to the interface asked for, or to null. The interface lives as long as the
    // object asked; no reference is added.
    virtual ACFRESULT QueryInterface(const acfIID& iid, void** out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IACFUnknown() = default; // objects go through Release, never through delete
};

// The interface iid of an object as T, or null when it has none.
template <class T> T* ACFQueryInterface(IACFUnknown* object, const acfIID& iid)
{
    void* found = nullptr;
    return object->QueryInterface(iid, &found) == ACF_OK ? static_cast<T*>(found) : nullptr;
}

// What a module hands back from registration: the host's record of the plug-in.
class IACFPluginDefinition : public IACFUnknown
{
protected:
    ~IACFPluginDefinition() = default;
};
