#pragma once

#include <cstddef>
#include <cstdint>

// The transport as a processor sees it through its bridge. The host layer writes sample
// position, ppq position, tempo and flags; the rest stays zero unless the processor writes it.
struct QorTimeInfo
{
    static constexpr uint32_t kTransportChanged = 0x1;
    static constexpr uint32_t kTransportPlaying = 0x2;
    static constexpr uint32_t kPpqPositionValid = 0x200;
    static constexpr uint32_t kTempoValid = 0x400;

    double samplePosition;
    double sampleRate;
    double nanoSeconds;
    double ppqPosition; // quarter notes
    double tempo;       // beats per minute
    double barStartPosition;
    double cycleStartPosition;
    double cycleEndPosition;
    int32_t timeSignatureNumerator;
    int32_t timeSignatureDenominator;
    int32_t smpteOffset;
    int32_t smpteFrameRate;
    int32_t samplesToNextClock;
    uint32_t flags;
};

static_assert(sizeof(QorTimeInfo) == 88);
static_assert(offsetof(QorTimeInfo, ppqPosition) == 24 && offsetof(QorTimeInfo, tempo) == 32);
static_assert(offsetof(QorTimeInfo, flags) == 84);
