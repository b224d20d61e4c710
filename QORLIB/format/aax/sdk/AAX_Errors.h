#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

// Result codes that cross the host interface: 0 is success, errors are negative.
enum AAX_EError : int32_t
{
    AAX_SUCCESS = 0,
    AAX_ERROR_INVALID_PARAMETER_ID = -20001,
    AAX_ERROR_NULL_OBJECT = -20004,
    AAX_ERROR_INVALID_CHUNK_INDEX = -20006,
    AAX_ERROR_INVALID_CHUNK_ID = -20007,
    AAX_ERROR_INCORRECT_CHUNK_SIZE = -20008,
    AAX_ERROR_UNIMPLEMENTED = -20009,
    AAX_ERROR_NOT_INITIALIZED = -20011,
    AAX_ERROR_PORT_ID_OUT_OF_RANGE = -20016,
    AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS = -20018,
    AAX_ERROR_INVALID_FIELD_INDEX = -20025,
    AAX_ERROR_MALFORMED_CHUNK = -20026,
    AAX_ERROR_UNKNOWN_EXCEPTION = -20042,
    AAX_ERROR_INVALID_ARGUMENT = -20043,
    AAX_ERROR_NULL_ARGUMENT = -20044,
    AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW = -20046,
};

inline constexpr AAX_Result kAAX_FirstError = -20046;
inline constexpr AAX_Result kAAX_LastError = -20001;

// The name of a code for traces: "AAX_SUCCESS", "AAX_ERROR_NULL_OBJECT", ...
const char* AAX_ResultName(AAX_Result result);
