#pragma once

#include "QORLIB/format/aax/sdk/AAX_IHostServices.h"
#include "QORLIB/format/aax/sdk/ACFBase.h"

#include <string>
#include <vector>

class AAX_ICollection;

// The host object a module is started and registered with: it offers the host's diagnostics
// (recorded) and, during registration, the collection.
class AaxHostServices : public IACFUnknown, public AAX_IHostServices
{
public:
    struct Assertion
    {
        std::string file;
        int32_t line;
        std::string note;
        int32_t flags;
    };
    struct TraceRecord
    {
        int32_t priority;
        std::string message;
    };

    ACFRESULT QueryInterface(const acfIID& iid, void** out) override;
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }

    AAX_Result HandleAssertFailure(const char* file, int32_t line, const char* note, int32_t flags) override;
    AAX_Result Trace(int32_t priority, const char* message) override;

    void setCollection(AAX_ICollection* collection) { collection_ = collection; }
    // Print reports to standard error as they come.
    void setEcho(bool echo) { echo_ = echo; }

    std::vector<Assertion> assertions;
    std::vector<TraceRecord> traces;

private:
    AAX_ICollection* collection_ = nullptr;
    bool echo_ = false;
};
