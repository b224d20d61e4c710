#pragma once

#include "QORLIB/format/aax/sdk/AAX_IDisplayDelegate.h"

template <typename T> class AAX_CBinaryDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CBinaryDisplayDelegate(const char* falseText, const char* trueText) : false_(falseText), true_(trueText) {}

    std::unique_ptr<AAX_IDisplayDelegate<T>> Clone() const override
    {
        return std::make_unique<AAX_CBinaryDisplayDelegate>(*this);
    }
    std::string ValueToString(T value) const override { return value ? true_ : false_; }

private:
    std::string false_;
    std::string true_;
};
