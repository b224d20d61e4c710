#pragma once

#include <string>

// The folder of the shared object or program that holds a given address: where a plug-in module
// finds the files installed beside it (an LV2 bundle's own folder). Empty when it cannot be told.
class QorModuleFolder
{
public:
    static std::string of(const void* address);
};
