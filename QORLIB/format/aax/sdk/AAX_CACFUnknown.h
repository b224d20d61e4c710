#pragma once

#include "QORLIB/format/aax/sdk/AAX_UIDs.h"

#include <atomic>

// Reference counting for an object handed to the host: it starts with one reference, which
// the host gives back with Release; the last Release destroys it inside the module.
template <class Interface> class AAX_CACFUnknown : public Interface
{
public:
    AAX_CACFUnknown() = default;
    AAX_CACFUnknown(const AAX_CACFUnknown&) = delete;
    AAX_CACFUnknown& operator=(const AAX_CACFUnknown&) = delete;
    virtual ~AAX_CACFUnknown() = default;

    ACFRESULT QueryInterface(const acfIID& iid, void** out) override
    {
        if (out == nullptr)
            return ACF_E_UNEXPECTED;
        *out = iid == IID_IACFUnknown ? static_cast<IACFUnknown*>(this) : nullptr;
        return *out != nullptr ? ACF_OK : ACF_E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++references_; }
    uint32_t Release() override
    {
        const uint32_t left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<uint32_t> references_{1};
};
