// Typed preset names on arbitrary bytes: an accepted name is valid UTF-8 of at most 23 bytes,
// a usable file name (no separator, no reserved character, no dot at either end), and a record
// keeps it whole.
#include "QORLIB/presets/QorPresetName.h"
#include "QORLIB/presets/QorPresetRecord.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const QorPresetName::Checked c = QorPresetName::check(typed);
    if (c.problem != QorPresetName::Problem::None)
        return 0;
    const std::string& n = c.name;
    if (n.empty() || n.size() > QorPresetName::kMaxBytes || n.front() == '.' || n.back() == '.' ||
        n.front() == ' ' || n.back() == ' ' || n.find_first_of("/\\:*?<>|\"", 0) != std::string::npos)
        std::abort();
    for (unsigned char ch : n)
        if (ch < 0x20 || ch == 0x7f)
            std::abort();
    // Valid UTF-8 throughout: the cut never leaves a lead byte without its continuation.
    for (size_t i = 0; i < n.size();)
    {
        const auto b = static_cast<unsigned char>(n[i]);
        const size_t len = b < 0x80 ? 1 : (b & 0xe0) == 0xc0 ? 2 : (b & 0xf0) == 0xe0 ? 3 : 4;
        if (i + len > n.size())
            std::abort();
        i += len;
    }
    QorPresetRecord r;
    r.setName(n.c_str());
    if (n.find('\0') == std::string::npos && std::strcmp(r.name, n.c_str()) != 0)
        std::abort();
    return 0;
}
