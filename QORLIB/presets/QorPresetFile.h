#pragma once

#include "QORLIB/presets/QorPresetProduct.h"
#include "QORLIB/presets/QorPresetRecord.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The record-based serialisation of preset files, the clipboard value and the host chunk body:
// a 41-byte header and records (12-byte head: type, payload size, program; then the payload).
// Written little-endian after the magic "BRXK"; "KXRB" marks a byte-swapped writer.
class QorPresetFile
{
public:
    static constexpr uint8_t kKindProgram = 0x22; // one program: file, clipboard
    static constexpr uint8_t kKindBank = 0x38;    // three programs: host chunk body
    static constexpr std::size_t kHeaderSize = 41;
    static constexpr std::size_t kRecordHeadSize = 12;
    static constexpr uint32_t kProgramPayload = 156;
    static constexpr uint32_t kValuePayload = 20;
    static constexpr uint32_t kFormatWord = 0x02000100;
    static constexpr uint32_t kHeaderConstant = 13;
    static constexpr uint32_t kProgramRecord = 0;
    static constexpr uint32_t kValueRecord = 1;

    struct Header
    {
        bool swapped = false;
        uint8_t kind = 0;
        uint32_t format = 0;
        uint32_t valueSlots = 0;
        int32_t recordCount = 0;
        uint32_t selectedProgram = 0;
        uint32_t areaSize = 0;
        uint32_t constant = 0;
        uint32_t editorState = 0;
        int32_t zoomPercent = 0;
        uint32_t reserved = 0;
    };

    // A record whose whole payload lies within the bytes walked.
    struct Record
    {
        uint32_t type;
        uint32_t program;
        const uint8_t* payload;
        uint32_t payloadSize;
        bool swapped;

        const uint8_t* nameBytes() const { return payload; } // program record: 24 bytes
        uint32_t valueIndex() const;                         // value record
        float value() const;                                 // value record
    };
    using Visitor = std::function<bool(const Record&)>; // false stops the walk

    // Serialises count programs with a program record and one value record per parameter
    // 0..11 flagged stored-in-presets or kept-on-factory-load.
    static std::vector<uint8_t> write(uint8_t kind, const QorPresetRecord* programs,
                                      uint32_t count, const QorPresetProduct& product,
                                      uint32_t editorState, int32_t zoomPercent);

    // True for "BRXK" or "KXRB" in the first four of at least five bytes.
    static bool hasMagic(const uint8_t* data, std::size_t size, bool& swapped);
    // False for a foreign magic or fewer than 41 bytes.
    static bool readHeader(const uint8_t* data, std::size_t size, Header& header);
    // Visits the records behind the header in order. Stops after recordCount records (none
    // when negative), at the end of the record area or of the bytes given, whichever comes
    // first, and at a record whose payload is too short for its type or runs past the end.
    static void walk(const uint8_t* data, std::size_t size, const Header& header,
                     const Visitor& visit);

    // The preset file reader: a one-program serialisation into record, with NaN and values
    // outside 0..1 replaced by the parameter's default. False, record untouched, for a foreign
    // magic, another kind, a truncated header or fewer bytes than the record area declared.
    static bool readProgram(const uint8_t* data, std::size_t size, QorPresetRecord& record,
                            const QorPresetProduct& product);

    static uint32_t readU32(const uint8_t* p, bool swapped);
};
