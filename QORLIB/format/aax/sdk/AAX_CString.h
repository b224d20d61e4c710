#pragma once

#include "QORLIB/format/aax/sdk/AAX_IString.h"

#include <string>

class AAX_CString : public AAX_IString
{
public:
    AAX_CString() = default;
    explicit AAX_CString(const char* text) { Set(text); }
    explicit AAX_CString(std::string text) : text_(std::move(text)) {}

    const char* Get() const override { return text_.c_str(); }
    void Set(const char* text) override { text_ = text != nullptr ? text : ""; }
    uint32_t Length() const override { return uint32_t(text_.size()); }

    const std::string& str() const { return text_; }

private:
    std::string text_;
};
