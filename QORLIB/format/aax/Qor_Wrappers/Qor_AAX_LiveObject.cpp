#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_LiveObject.h"

#include <atomic>

namespace
{
std::atomic<int32_t> gLiveObjects{0};
}

Qor_AAX_LiveObject::Qor_AAX_LiveObject() { ++gLiveObjects; }
Qor_AAX_LiveObject::~Qor_AAX_LiveObject() { --gLiveObjects; }

int32_t Qor_AAX_LiveObject::count() { return gLiveObjects.load(); }
