#pragma once

#include "QORLIB/format/aax/sdk/ACFAPI.h"

#include <memory>
#include <string>

// The seven entry points of a module.
struct AaxEntryPoints
{
    ACFRegisterPluginProc registerPlugin = nullptr;
    ACFRegisterComponentProc registerComponent = nullptr;
    ACFGetClassFactoryProc getClassFactory = nullptr;
    ACFCanUnloadNowProc canUnloadNow = nullptr;
    ACFStartupProc startup = nullptr;
    ACFShutdownProc shutdown = nullptr;
    ACFGetSDKVersionProc getSDKVersion = nullptr;
};

// A module as the host sees it: loaded from a shared library file, or linked into the host
// itself (tests that reach inside the layer).
class AaxModule
{
public:
    // Null, with error set, when the file cannot be loaded or lacks an entry point.
    static std::unique_ptr<AaxModule> load(const std::string& path, std::string& error);
    static std::unique_ptr<AaxModule> linked(const AaxEntryPoints& entries);

    ~AaxModule();
    AaxModule(const AaxModule&) = delete;
    AaxModule& operator=(const AaxModule&) = delete;

    const AaxEntryPoints& entry() const { return entries_; }
    const std::string& path() const { return path_; }

private:
    AaxModule() = default;

    AaxEntryPoints entries_;
    void* handle_ = nullptr;
    std::string path_;
};
