#include "QORLIB/format/dpf/Qor_DPF_State.h"

#include "QORLIB/QorMasterController.h"
#include "QORLIB/presets/QorPresetFile.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <array>
#include <cstring>

namespace Qor_DPF
{
namespace
{
constexpr char kMagic[4] = {'Q', 'V', 'C', 'S'};
constexpr std::size_t kFields = 5;

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void putField(std::vector<uint8_t>& out, const std::vector<uint8_t>& field)
{
    putU32(out, uint32_t(field.size()));
    out.insert(out.end(), field.begin(), field.end());
}

struct Field
{
    const uint8_t* data = nullptr;
    std::size_t size = 0;
};
} // namespace

std::vector<uint8_t> State::save(QorPresetManager& m)
{
    std::vector<uint8_t> chunk = {0x00, 0x00, 0x00, 0x02, 'B', 'R', 'X', 'K'};
    const std::vector<uint8_t> body = m.serializeBank();
    chunk.insert(chunk.end(), body.begin(), body.end());

    std::vector<uint8_t> out(kMagic, kMagic + 4);
    putField(out, chunk);
    for (const QorPresetRecord* r : {&m.setupA().current, &m.setupA().reference, &m.setupB().current,
                                     &m.setupB().reference})
        putField(out, m.serializePreset(*r));
    out.push_back(m.setupAActive() ? 0 : 1);
    return out;
}

bool State::restore(QorPresetManager& m, const uint8_t* data, std::size_t size)
{
    if (data == nullptr || size < 4 || std::memcmp(data, kMagic, 4) != 0)
        return false;
    std::array<Field, kFields> fields;
    std::size_t at = 4;
    for (Field& f : fields)
    {
        if (size - at < 4)
            return false;
        const uint32_t n = uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
                           uint32_t(data[at + 3]) << 24;
        at += 4;
        if (n > size - at)
            return false;
        f = {data + at, n};
        at += n;
    }
    if (size - at != 1 || data[at] > 1)
        return false;
    const bool aActive = data[at] == 0;

    const Field& chunk = fields[0];
    if (chunk.size < 8 || (std::memcmp(chunk.data + 4, "BRXK", 4) != 0 && std::memcmp(chunk.data + 4, "KXRB", 4) != 0))
        return false;
    // Setups are read before anything changes, so a damaged block changes nothing at all.
    QorSetupSlot a, b;
    QorPresetRecord* records[] = {&a.current, &a.reference, &b.current, &b.reference};
    bool haveSetups = true;
    for (std::size_t i = 0; i < 4; ++i)
        haveSetups = haveSetups && QorPresetFile::readProgram(fields[i + 1].data, fields[i + 1].size, *records[i],
                                                              vellaCorFactoryPresets::presetProduct());
    if (!m.restoreBank(chunk.data + 8, chunk.size - 8))
        return false;
    if (haveSetups)
        m.restoreSetups(a, b, aActive);
    else if (m.host() != nullptr)
        m.host()->parameterChanged(kRefreshPresetDisplays, 1.0);
    return true;
}

} // namespace Qor_DPF
