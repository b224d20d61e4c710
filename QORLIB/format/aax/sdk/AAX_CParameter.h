#pragma once

#include "QORLIB/format/aax/sdk/AAX_IAutomationDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_IDisplayDelegate.h"
#include "QORLIB/format/aax/sdk/AAX_IParameter.h"
#include "QORLIB/format/aax/sdk/AAX_ITaperDelegate.h"

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

// A host parameter holding a real value of type T (bool or float), shown through its taper
// and display delegates.
template <typename T> class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter(const char* id, const char* name, T defaultValue, const AAX_ITaperDelegate<T>& taper,
                   const AAX_IDisplayDelegate<T>& display, bool automatable)
        : id_(id), name_(name), taper_(taper.Clone()), display_(display.Clone()), automatable_(automatable),
          default_(defaultValue), value_(defaultValue)
    {
    }

    void SetType(AAX_EParameterType type) { type_ = type; }
    void SetNumberOfSteps(uint32_t steps) { steps_ = steps; }

    AAX_CParamID Identifier() const override { return id_.c_str(); }
    const std::string& Name() const override { return name_; }
    bool Automatable() const override { return automatable_; }
    AAX_EParameterType GetType() const override { return type_; }
    uint32_t GetNumberOfSteps() const override { return steps_; }

    double GetNormalizedValue() const override { return taper_->RealToNormalized(value_); }
    double GetNormalizedDefaultValue() const override { return taper_->RealToNormalized(default_); }
    void SetNormalizedValue(double normalized) override
    {
        if (delegate_ != nullptr)
            delegate_->PostSetValueRequest(Identifier(), normalized);
        else
            UpdateNormalizedValue(normalized);
    }
    void UpdateNormalizedValue(double normalized) override
    {
        value_ = taper_->NormalizedToReal(normalized);
        if (delegate_ != nullptr)
            delegate_->PostCurrentValue(Identifier(), GetNormalizedValue());
    }

    std::string GetValueString() const override { return display_->ValueToString(value_); }
    std::string GetValueString(double normalized) const override
    {
        return display_->ValueToString(taper_->NormalizedToReal(normalized));
    }
    uint32_t GetPacketWord() const override
    {
        if constexpr (std::is_same_v<T, bool>)
            return value_ ? 1u : 0u;
        else
        {
            static_assert(sizeof(T) == sizeof(uint32_t), "single-value packets carry 4 bytes");
            uint32_t word;
            std::memcpy(&word, &value_, sizeof word);
            return word;
        }
    }

    void SetAutomationDelegate(AAX_IAutomationDelegate* delegate) override
    {
        if (delegate_ != nullptr)
            delegate_->UnregisterParameter(Identifier());
        delegate_ = delegate;
        if (delegate_ != nullptr)
            delegate_->RegisterParameter(Identifier());
    }
    void Touch() override
    {
        if (delegate_ != nullptr)
            delegate_->PostTouchRequest(Identifier());
    }
    void Release() override
    {
        if (delegate_ != nullptr)
            delegate_->PostReleaseRequest(Identifier());
    }

private:
    std::string id_;
    std::string name_;
    std::unique_ptr<AAX_ITaperDelegate<T>> taper_;
    std::unique_ptr<AAX_IDisplayDelegate<T>> display_;
    bool automatable_;
    AAX_EParameterType type_ = AAX_eParameterType_Continuous;
    uint32_t steps_ = 0;
    T default_;
    T value_;
    AAX_IAutomationDelegate* delegate_ = nullptr;
};
