#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"

#include <string>

namespace AAX::Exception
{
// Base of the exceptions the AAX library throws.
class Any
{
public:
    explicit Any(std::string what) : what_(std::move(what)) {}
    virtual ~Any() = default;
    const std::string& What() const { return what_; }

private:
    std::string what_;
};

// A failed result code, thrown by AAX_CheckedResult.
class ResultError : public Any
{
public:
    explicit ResultError(AAX_Result result) : Any(AAX_ResultName(result)), result_(result) {}
    AAX_Result Result() const { return result_; }

private:
    AAX_Result result_;
};
} // namespace AAX::Exception
