#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// Holds a result and throws AAX::Exception::ResultError for any value other than success,
// tracing "AAX_CheckedResult - throwing <name>" first.
class AAX_CheckedResult
{
public:
    AAX_CheckedResult() = default;
    AAX_CheckedResult(AAX_Result result) { Check(result); }
    AAX_CheckedResult& operator=(AAX_Result result)
    {
        Check(result);
        return *this;
    }
    operator AAX_Result() const { return result_; }

private:
    void Check(AAX_Result result);

    AAX_Result result_ = 0;
};
