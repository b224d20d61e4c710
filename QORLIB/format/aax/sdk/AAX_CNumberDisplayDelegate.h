#pragma once

#include "QORLIB/format/aax/sdk/AAX_IDisplayDelegate.h"

#include <cstdio>

// The number with Precision decimals followed by Spacing blanks.
template <typename T, int Precision = 2, int Spacing = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    std::unique_ptr<AAX_IDisplayDelegate<T>> Clone() const override
    {
        return std::make_unique<AAX_CNumberDisplayDelegate>(*this);
    }
    std::string ValueToString(T value) const override
    {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", Precision, double(value));
        return std::string(text) + std::string(Spacing, ' ');
    }
};
