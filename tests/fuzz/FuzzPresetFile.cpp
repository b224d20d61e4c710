// The preset file reader on arbitrary bytes: no read beyond them, and every value it leaves in
// the record lies in 0..1 with the name terminated.
#include "QORLIB/presets/QorPresetFile.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QorPresetRecord record;
    for (float& v : record.values)
        v = 0.5f;
    QorPresetFile::readProgram(data, size, record, vellaCorFactoryPresets::presetProduct());
    for (float v : record.values)
        if (!(v >= 0.0f && v <= 1.0f))
            std::abort();
    if (std::memchr(record.name, 0, sizeof record.name) == nullptr)
        std::abort();
    return 0;
}
