#include "QORLIB/platform/QorModuleFolder.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

std::string QorModuleFolder::of(const void* address)
{
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0')
        return {};
    std::string file = info.dli_fname;
    // The program itself may be named as it was typed; the kernel knows where it really is.
    if (file.find('/') == std::string::npos)
        file = "/proc/self/exe";
    char resolved[PATH_MAX];
    if (::realpath(file.c_str(), resolved) == nullptr)
        return {};
    std::string path = resolved;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}
