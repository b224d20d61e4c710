#include "QORLIB/format/lv2/Qor_LV2_State.h"

#include "QORLIB/format/lv2/Qor_LV2_Plugin.h"
#include "QORLIB/presets/QorPresetFile.h"
#include "vellaCor/vellaCorFactoryPresets.h"
#include "vellaCor/vellaCorIdentity.h"

#include <lv2/atom/atom.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace Qor_LV2
{
namespace
{
std::string key(const char* name) { return std::string(vellaCorIdentity::kLv2UriBase) + "#" + name; }

struct Keys
{
    LV2_URID bank, setupA, setupARef, setupB, setupBRef, active, chunk, atomInt;
    // Each setup's place in the preset lists (kind, column, entry); sessions saved before these
    // keys existed lack them and restore as before, without a place.
    LV2_URID placeA[3], placeB[3];
    explicit Keys(LV2_URID_Map* map)
    {
        auto m = [map](const std::string& uri) { return map->map(map->handle, uri.c_str()); };
        const char* parts[3] = {"Kind", "Column", "Index"};
        for (int i = 0; i < 3; ++i)
        {
            placeA[i] = m(key((std::string("setupA") + parts[i]).c_str()));
            placeB[i] = m(key((std::string("setupB") + parts[i]).c_str()));
        }
        bank = m(key("bank"));
        setupA = m(key("setupA"));
        setupARef = m(key("setupAReference"));
        setupB = m(key("setupB"));
        setupBRef = m(key("setupBReference"));
        active = m(key("activeSetup"));
        chunk = m(LV2_ATOM__Chunk);
        atomInt = m(LV2_ATOM__Int);
    }
};

// One record read back through the preset file reader; false leaves record as it was.
bool readRecord(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, LV2_URID k, LV2_URID chunk,
                QorPresetRecord& record)
{
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const void* data = retrieve(handle, k, &size, &type, &flags);
    return data != nullptr && type == chunk &&
           QorPresetFile::readProgram(static_cast<const uint8_t*>(data), size, record,
                                      vellaCorFactoryPresets::presetProduct());
}
bool readInt(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, LV2_URID k, LV2_URID atomInt,
             int32_t& out)
{
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const void* data = retrieve(handle, k, &size, &type, &flags);
    if (data == nullptr || type != atomInt || size != sizeof(int32_t))
        return false;
    std::memcpy(&out, data, sizeof out);
    return true;
}

// The place is taken only whole and in range; the manager checks it against its lists.
void readPlace(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, const LV2_URID keys[3],
               LV2_URID atomInt, QorSetupSlot& slot)
{
    int32_t kind = 0, column = 0, index = 0;
    if (readInt(retrieve, handle, keys[0], atomInt, kind) && readInt(retrieve, handle, keys[1], atomInt, column) &&
        readInt(retrieve, handle, keys[2], atomInt, index) && kind >= 0 && kind <= 2 && column >= 0 &&
        column <= 127 && index >= -1 && index <= 511)
    {
        slot.kind = static_cast<uint32_t>(kind);
        slot.column = static_cast<uint32_t>(column);
        slot.index = index;
    }
}

void storePlace(LV2_State_Store_Function store, LV2_State_Handle handle, const LV2_URID keys[3], LV2_URID atomInt,
                uint32_t flags, const QorSetupSlot& slot)
{
    const int32_t values[3] = {static_cast<int32_t>(slot.kind), static_cast<int32_t>(slot.column), slot.index};
    for (int i = 0; i < 3; ++i)
        store(handle, keys[i], &values[i], sizeof values[i], atomInt, flags);
}
} // namespace

LV2_State_Status State::save(Plugin& plugin, LV2_URID_Map* map, LV2_State_Store_Function store,
                             LV2_State_Handle handle)
{
    if (map == nullptr)
        return LV2_STATE_ERR_NO_FEATURE;
    const Keys k(map);
    QorPresetManager& m = plugin.presets();
    const uint32_t flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    const std::vector<uint8_t> bank = m.serializeBank();
    store(handle, k.bank, bank.data(), bank.size(), k.chunk, flags);
    const std::pair<LV2_URID, const QorPresetRecord*> records[] = {{k.setupA, &m.setupA().current},
                                                                  {k.setupARef, &m.setupA().reference},
                                                                  {k.setupB, &m.setupB().current},
                                                                  {k.setupBRef, &m.setupB().reference}};
    for (const auto& [id, record] : records)
    {
        const std::vector<uint8_t> bytes = m.serializePreset(*record);
        store(handle, id, bytes.data(), bytes.size(), k.chunk, flags);
    }
    const int32_t active = m.setupAActive() ? 0 : 1;
    store(handle, k.active, &active, sizeof active, k.atomInt, flags);
    storePlace(store, handle, k.placeA, k.atomInt, flags, m.setupA());
    storePlace(store, handle, k.placeB, k.atomInt, flags, m.setupB());
    return LV2_STATE_SUCCESS;
}

LV2_State_Status State::restore(Plugin& plugin, LV2_URID_Map* map, LV2_State_Retrieve_Function retrieve,
                                LV2_State_Handle handle)
{
    if (map == nullptr)
        return LV2_STATE_ERR_NO_FEATURE;
    const Keys k(map);
    QorPresetManager& m = plugin.presets();
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const void* bank = retrieve(handle, k.bank, &size, &type, &flags);
    if (bank != nullptr && type == k.chunk)
        m.restoreBank(static_cast<const uint8_t*>(bank), size);
    QorSetupSlot a = m.setupA(), b = m.setupB();
    const bool haveA = readRecord(retrieve, handle, k.setupA, k.chunk, a.current) &&
                       readRecord(retrieve, handle, k.setupARef, k.chunk, a.reference);
    const bool haveB = readRecord(retrieve, handle, k.setupB, k.chunk, b.current) &&
                       readRecord(retrieve, handle, k.setupBRef, k.chunk, b.reference);
    readPlace(retrieve, handle, k.placeA, k.atomInt, a);
    readPlace(retrieve, handle, k.placeB, k.atomInt, b);
    bool aActive = true;
    const void* active = retrieve(handle, k.active, &size, &type, &flags);
    if (active != nullptr && type == k.atomInt && size == sizeof(int32_t))
    {
        int32_t v = 0;
        std::memcpy(&v, active, sizeof v);
        aActive = v == 0;
    }
    if (haveA && haveB)
        m.restoreSetups(a, b, aActive);
    else if (QorMasterController* editor = plugin.presetHost().attached())
        editor->parameterChanged(69, 1.0);
    return LV2_STATE_SUCCESS;
}

} // namespace Qor_LV2
