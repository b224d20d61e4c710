#include "QORLIB/presets/QorPresetClipboard.h"

#include "QORLIB/presets/QorPresetFile.h"

#include <cmath>

QorPresetClipboard::Result QorPresetClipboard::parse(const uint8_t* data, std::size_t size,
                                                     QorPresetRecord& record)
{
    bool swapped = false;
    if (!QorPresetFile::hasMagic(data, size, swapped))
        return Result::Ignored;
    if (data[4] != QorPresetFile::kKindProgram)
        return Result::OtherKind;
    QorPresetFile::Header h;
    if (!QorPresetFile::readHeader(data, size, h))
        return Result::Ignored;

    const QorPresetRecord saved = record;
    Result result = Result::Parsed;
    QorPresetFile::walk(data, size, h, [&](const QorPresetFile::Record& r) {
        if (r.type == QorPresetFile::kProgramRecord)
            record.setNameBytes(r.nameBytes());
        else if (r.type == QorPresetFile::kValueRecord)
        {
            const uint32_t index = r.valueIndex();
            float v = r.value();
            if (std::isnan(v))
                v = 0.0f;
            if (index < QorPresetRecord::kNumValues)
            {
                if (v < 0.0f || v > 1.0f)
                {
                    record = saved;
                    result = Result::OutOfRange;
                    return false;
                }
                record.values[index] = v;
            }
        }
        return true;
    });
    return result;
}
