#pragma once

#include "QORLIB/presets/QorPresetRecord.h"

#include <cstddef>
#include <cstdint>

// The clipboard parser: a one-program serialisation read into the clipboard record.
class QorPresetClipboard
{
public:
    enum class Result
    {
        Ignored,    // shorter than 5 bytes, foreign magic or a truncated header: no paste
        OtherKind,  // not a one-program value: the record is unchanged, but the paste goes on
        Parsed,     // the record holds the value's name and values
        OutOfRange, // a value outside 0..1: the record was restored to what it held before
    };

    // NaN values become 0; the first value outside 0..1 for a record slot ends the walk and
    // restores the record.
    static Result parse(const uint8_t* data, std::size_t size, QorPresetRecord& record);
};
