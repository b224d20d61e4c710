#pragma once

#include <memory>

// Maps a parameter's real value to the normalised 0..1 value the host sees, and back.
template <typename T> class AAX_ITaperDelegate
{
public:
    virtual ~AAX_ITaperDelegate() = default;
    virtual std::unique_ptr<AAX_ITaperDelegate> Clone() const = 0;
    virtual T NormalizedToReal(double normalized) const = 0;
    virtual double RealToNormalized(T real) const = 0;
};
