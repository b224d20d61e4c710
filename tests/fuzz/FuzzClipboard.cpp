// The clipboard parser on arbitrary bytes: no read beyond them; values stay in 0..1.
#include "QORLIB/presets/QorPresetClipboard.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QorPresetRecord record;
    record.setName("before");
    for (float& v : record.values)
        v = 0.5f;
    const QorPresetRecord before = record;
    const auto result = QorPresetClipboard::parse(data, size, record);
    for (float v : record.values)
        if (!(v >= 0.0f && v <= 1.0f))
            std::abort();
    if (std::memchr(record.name, 0, sizeof record.name) == nullptr)
        std::abort();
    if (result != QorPresetClipboard::Result::Parsed && std::memcmp(&record, &before, sizeof record) != 0)
        std::abort(); // any other outcome must leave the record as it was
    return 0;
}
