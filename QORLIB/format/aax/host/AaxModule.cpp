#include "QORLIB/format/aax/host/AaxModule.h"

#include <dlfcn.h>

namespace
{
template <typename Proc> bool resolve(void* handle, const char* name, Proc& out, std::string& error)
{
    void* symbol = dlsym(handle, name);
    if (symbol == nullptr)
    {
        error = std::string("the module has no entry point ") + name;
        return false;
    }
    out = reinterpret_cast<Proc>(symbol);
    return true;
}
} // namespace

std::unique_ptr<AaxModule> AaxModule::load(const std::string& path, std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        const char* why = dlerror();
        error = "cannot load " + path + ": " + (why != nullptr ? why : "unknown reason");
        return nullptr;
    }
    std::unique_ptr<AaxModule> module(new AaxModule());
    module->handle_ = handle;
    module->path_ = path;
    AaxEntryPoints& e = module->entries_;
    if (!resolve(handle, "ACFRegisterPlugin", e.registerPlugin, error) ||
        !resolve(handle, "ACFRegisterComponent", e.registerComponent, error) ||
        !resolve(handle, "ACFGetClassFactory", e.getClassFactory, error) ||
        !resolve(handle, "ACFCanUnloadNow", e.canUnloadNow, error) ||
        !resolve(handle, "ACFStartup", e.startup, error) || !resolve(handle, "ACFShutdown", e.shutdown, error) ||
        !resolve(handle, "ACFGetSDKVersion", e.getSDKVersion, error))
        return nullptr;
    return module;
}

std::unique_ptr<AaxModule> AaxModule::linked(const AaxEntryPoints& entries)
{
    std::unique_ptr<AaxModule> module(new AaxModule());
    module->entries_ = entries;
    module->path_ = "(linked)";
    return module;
}

AaxModule::~AaxModule()
{
#if defined(__SANITIZE_ADDRESS__)
    // The leak checker scans only mapped data: what the module's static objects (and those of
    // the libraries it brought in) still hold would look leaked once the module is unmapped.
    return;
#else
    if (handle_ != nullptr)
        dlclose(handle_);
#endif
}
