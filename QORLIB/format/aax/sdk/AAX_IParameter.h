#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"
#include "QORLIB/format/aax/sdk/AAX_Enums.h"

#include <string>

class AAX_IAutomationDelegate;

// One host parameter of the parameter manager. Main thread.
class AAX_IParameter
{
public:
    virtual ~AAX_IParameter() = default;

    virtual AAX_CParamID Identifier() const = 0;
    virtual const std::string& Name() const = 0;
    virtual bool Automatable() const = 0;
    virtual AAX_EParameterType GetType() const = 0;
    virtual uint32_t GetNumberOfSteps() const = 0;

    virtual double GetNormalizedValue() const = 0;
    virtual double GetNormalizedDefaultValue() const = 0;
    // Asks the host (through the automation delegate) for a new value; without a delegate the
    // value is stored at once.
    virtual void SetNormalizedValue(double normalized) = 0;
    // Stores a value the host has settled on.
    virtual void UpdateNormalizedValue(double normalized) = 0;

    virtual std::string GetValueString() const = 0;
    virtual std::string GetValueString(double normalized) const = 0;
    // The 4-byte payload of the parameter's single-value packet.
    virtual uint32_t GetPacketWord() const = 0;

    virtual void SetAutomationDelegate(AAX_IAutomationDelegate* delegate) = 0;
    virtual void Touch() = 0;
    virtual void Release() = 0;
};
