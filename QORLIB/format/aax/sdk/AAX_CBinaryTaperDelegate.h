#pragma once

#include "QORLIB/format/aax/sdk/AAX_ITaperDelegate.h"

// false below one half, true from one half up.
template <typename T> class AAX_CBinaryTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    std::unique_ptr<AAX_ITaperDelegate<T>> Clone() const override
    {
        return std::make_unique<AAX_CBinaryTaperDelegate>(*this);
    }
    T NormalizedToReal(double normalized) const override { return T(normalized >= 0.5); }
    double RealToNormalized(T real) const override { return real ? 1.0 : 0.0; }
};
