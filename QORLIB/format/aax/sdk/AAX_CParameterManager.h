#pragma once

#include "QORLIB/format/aax/sdk/AAX_IParameter.h"

#include <memory>
#include <vector>

// The host parameters of one instance, in registration order. Main thread.
class AAX_CParameterManager
{
public:
    AAX_CParameterManager() = default;
    AAX_CParameterManager(const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator=(const AAX_CParameterManager&) = delete;
    ~AAX_CParameterManager();

    // Every parameter, present and future, reports to this delegate.
    void Initialize(AAX_IAutomationDelegate* delegate);
    // Takes ownership.
    void AddParameter(AAX_IParameter* parameter);
    void RemoveAll();

    int32_t NumParameters() const { return int32_t(parameters_.size()); }
    AAX_IParameter* GetParameter(int32_t index) const;
    AAX_IParameter* GetParameterByID(AAX_CParamID id) const; // null for an unknown or null ID

private:
    std::vector<std::unique_ptr<AAX_IParameter>> parameters_;
    AAX_IAutomationDelegate* delegate_ = nullptr;
};
