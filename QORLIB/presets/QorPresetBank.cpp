#include "QORLIB/presets/QorPresetBank.h"

#include "QORLIB/presets/QorPresetFile.h"

#include <cmath>

std::vector<uint8_t> QorPresetBank::serialize(const QorPresetRecord& current,
                                              const QorPresetProduct& product,
                                              uint32_t editorState, int32_t zoomPercent)
{
    programs_[0] = current;
    return QorPresetFile::write(QorPresetFile::kKindBank, programs_.data(), kChunkPrograms,
                                product, editorState, zoomPercent);
}

bool QorPresetBank::restore(const uint8_t* data, std::size_t size, Restored& restored)
{
    QorPresetFile::Header h;
    if (!QorPresetFile::readHeader(data, size, h) || h.recordCount < 0)
        return false;
    restored.editorState = h.editorState;
    restored.zoomPercent = h.zoomPercent;
    QorPresetFile::walk(data, size, h, [&](const QorPresetFile::Record& r) {
        if (r.program >= kNumPrograms)
            return true;
        QorPresetRecord& program = programs_[r.program];
        if (r.type == QorPresetFile::kProgramRecord)
        {
            program = initRecord_;
            if (r.nameBytes()[0] != 0)
                program.setNameBytes(r.nameBytes());
        }
        else if (r.type == QorPresetFile::kValueRecord)
        {
            float v = r.value();
            v = std::isnan(v) || v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
            if (r.valueIndex() < QorPresetRecord::kNumValues)
                program.values[r.valueIndex()] = v;
        }
        return true;
    });
    restored.selected = programs_[h.selectedProgram < kNumPrograms ? h.selectedProgram : 0];
    return true;
}
