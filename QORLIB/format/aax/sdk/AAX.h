#pragma once

// Basic types of the AAX interfaces as the host layer and the host simulator share them.

#include <cstdint>

using AAX_Result = int32_t;
using AAX_CTypeID = uint32_t;       // four-character code, big-endian packing of the characters
using AAX_CParamID = const char*;   // parameter identifier, a NUL-terminated string
using AAX_CPropertyValue = int32_t;
using AAX_CFieldIndex = int32_t;    // index of a field of the process procedure's context
using AAX_CBoolean = uint8_t;
using AAX_CSampleRate = float;
using AAX_CSelector = uint32_t;

// Identifier of the master bypass parameter that the SDK reports to the host.
inline constexpr const char* cDefaultMasterBypassID = "MasterBypassID";

// 'abcd' as a number: the first character in the most significant byte.
constexpr AAX_CTypeID AAX_FourCC(const char (&code)[5])
{
    return AAX_CTypeID(uint8_t(code[0])) << 24 | AAX_CTypeID(uint8_t(code[1])) << 16 |
           AAX_CTypeID(uint8_t(code[2])) << 8 | AAX_CTypeID(uint8_t(code[3]));
}

// Generic procedure pointer as registered with AddProcPtr; cast back to its real type by the
// procedure ID.
using AAX_CProcPtr = void (*)();

// The Native process procedure: one context pointer per instance in [begin, end).
using AAX_CProcessProc = void (*)(void* const inInstancesBegin[], const void* inInstancesEnd);
using AAX_CInstanceInitProc = int32_t (*)(const void* inInstanceContext, uint32_t inAction);
using AAX_CBackgroundProc = int32_t (*)();

struct AAX_Point
{
    float vert = 0.0f;
    float horz = 0.0f;
};
