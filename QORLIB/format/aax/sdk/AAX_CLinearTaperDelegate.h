#pragma once

#include "QORLIB/format/aax/sdk/AAX_ITaperDelegate.h"

#include <algorithm>
#include <cmath>

// A straight line from minimum (0) to maximum (1); values outside are pulled in, NaN reads as
// the minimum.
template <typename T> class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CLinearTaperDelegate(T minimum, T maximum) : minimum_(minimum), maximum_(maximum) {}

    std::unique_ptr<AAX_ITaperDelegate<T>> Clone() const override
    {
        return std::make_unique<AAX_CLinearTaperDelegate>(*this);
    }
    T NormalizedToReal(double normalized) const override
    {
        const double n = std::isnan(normalized) ? 0.0 : std::clamp(normalized, 0.0, 1.0);
        return T(double(minimum_) + n * (double(maximum_) - double(minimum_)));
    }
    double RealToNormalized(T real) const override
    {
        const double span = double(maximum_) - double(minimum_);
        if (span == 0.0 || std::isnan(double(real)))
            return 0.0;
        return std::clamp((double(real) - double(minimum_)) / span, 0.0, 1.0);
    }

private:
    T minimum_;
    T maximum_;
};
