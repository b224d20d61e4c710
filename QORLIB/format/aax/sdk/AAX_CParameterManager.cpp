#include "QORLIB/format/aax/sdk/AAX_CParameterManager.h"

#include <cstring>

AAX_CParameterManager::~AAX_CParameterManager() { RemoveAll(); }

void AAX_CParameterManager::Initialize(AAX_IAutomationDelegate* delegate)
{
    delegate_ = delegate;
    for (auto& p : parameters_)
        p->SetAutomationDelegate(delegate_);
}

void AAX_CParameterManager::AddParameter(AAX_IParameter* parameter)
{
    if (parameter == nullptr)
        return;
    parameters_.emplace_back(parameter);
    parameter->SetAutomationDelegate(delegate_);
}

void AAX_CParameterManager::RemoveAll()
{
    for (auto& p : parameters_)
        p->SetAutomationDelegate(nullptr);
    parameters_.clear();
}

AAX_IParameter* AAX_CParameterManager::GetParameter(int32_t index) const
{
    return index >= 0 && index < NumParameters() ? parameters_[size_t(index)].get() : nullptr;
}

AAX_IParameter* AAX_CParameterManager::GetParameterByID(AAX_CParamID id) const
{
    if (id == nullptr)
        return nullptr;
    for (const auto& p : parameters_)
        if (std::strcmp(p->Identifier(), id) == 0)
            return p.get();
    return nullptr;
}
