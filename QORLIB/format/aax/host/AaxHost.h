#pragma once

#include "QORLIB/format/aax/host/AaxCollection.h"
#include "QORLIB/format/aax/host/AaxHostOptions.h"
#include "QORLIB/format/aax/host/AaxHostServices.h"
#include "QORLIB/format/aax/host/AaxInstance.h"
#include "QORLIB/format/aax/host/AaxModule.h"

#include <memory>
#include <string>

// The simulated host: starts a module, records its description, makes instances of its
// effect and unloads it again.
class AaxHost
{
public:
    explicit AaxHost(std::unique_ptr<AaxModule> module);
    // Shuts the module down if that has not happened.
    ~AaxHost();
    AaxHost(const AaxHost&) = delete;
    AaxHost& operator=(const AaxHost&) = delete;

    ACFRESULT startup();
    // Records the description into a fresh collection.
    ACFRESULT registerPlugin();
    // The module's answer to ACFCanUnloadNow: its objects still alive.
    ACFRESULT canUnloadNow();
    ACFRESULT shutdown();

    // An instance of the first effect, on the process procedure whose input stem format is
    // the one given; null (with error set) when there is none.
    std::unique_ptr<AaxInstance> createInstance(uint32_t stemFormat, std::string& error, bool withGUI = false);

    AaxModule& module() { return *module_; }
    AaxHostServices& services() { return services_; }
    AaxHostOptions& options() { return options_; }
    // Null before registration.
    const AaxCollection* collection() const { return collection_.get(); }
    IACFPluginDefinition* definition() const { return definition_; }

private:
    std::unique_ptr<AaxModule> module_;
    AaxHostOptions options_;
    AaxHostServices services_;
    std::unique_ptr<AaxCollection> collection_;
    IACFPluginDefinition* definition_ = nullptr;
    bool started_ = false;
};
