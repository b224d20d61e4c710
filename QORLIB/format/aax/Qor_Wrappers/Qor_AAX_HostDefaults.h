#pragma once

#include <cstdint>

// The value a parameter starts from on the host side: its value in factory preset 0 for the
// indices 0..11, the table default for the others.
namespace Qor_AAX_HostDefaults
{
double value(uint32_t index);
}
