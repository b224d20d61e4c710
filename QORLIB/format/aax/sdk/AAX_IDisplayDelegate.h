#pragma once

#include <memory>
#include <string>

// Turns a parameter's real value into the text the host shows.
template <typename T> class AAX_IDisplayDelegate
{
public:
    virtual ~AAX_IDisplayDelegate() = default;
    virtual std::unique_ptr<AAX_IDisplayDelegate> Clone() const = 0;
    virtual std::string ValueToString(T value) const = 0;
};
