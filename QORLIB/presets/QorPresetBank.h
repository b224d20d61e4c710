#pragma once

#include "QORLIB/presets/QorPresetProduct.h"
#include "QORLIB/presets/QorPresetRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The programs carried by the host chunk: the body holds programs 0..2, program 0 being the
// current record at the time of saving.
class QorPresetBank
{
public:
    static constexpr uint32_t kNumPrograms = 43;
    static constexpr uint32_t kChunkPrograms = 3;

    struct Restored
    {
        uint32_t editorState = 0;
        int32_t zoomPercent = 0; // 0 or less: keep the current zoom
        QorPresetRecord selected;
    };

    std::array<QorPresetRecord, kNumPrograms>& programs() { return programs_; }
    QorPresetRecord& initRecord() { return initRecord_; }

    // Copies current into program 0 and serialises programs 0..2.
    std::vector<uint8_t> serialize(const QorPresetRecord& current, const QorPresetProduct& product,
                                   uint32_t editorState, int32_t zoomPercent);

    // Applies a chunk body. NaN and negative values become 0, values above 1 become 1. False,
    // and nothing changed, for a foreign magic, a truncated header or a negative record count.
    bool restore(const uint8_t* data, std::size_t size, Restored& restored);

private:
    std::array<QorPresetRecord, kNumPrograms> programs_{};
    QorPresetRecord initRecord_;
};
