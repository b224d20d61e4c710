#include "QORLIB/presets/QorPresetManager.h"

#include <cstring>

// A stored place is trusted only while its entry still carries the setup's preset name: the
// user's folder may have changed since the session was saved. A moved entry is looked for by
// name in its column; a lost one leaves the setup without a place ("CP:").
void QorPresetManager::verifyPlace(QorSetupSlot& slot) const
{
    if (slot.index < 0 || slot.kind > kQorUserDirectory)
    {
        slot.index = -1;
        return;
    }
    const std::string name = slot.reference.name;
    if (entryName(slot.kind, slot.column, slot.index) == name)
        return;
    const int32_t count = static_cast<int32_t>(entryCount(slot.kind, slot.column));
    for (int32_t i = 0; i < count; ++i)
        if (entryName(slot.kind, slot.column, i) == name)
        {
            slot.index = i;
            return;
        }
    slot.index = -1;
}

void QorPresetManager::restoreSetups(const QorSetupSlot& a, const QorSetupSlot& b, bool aActive)
{
    setupA_ = a;
    setupB_ = b;
    for (QorSetupSlot* slot : {&setupA_, &setupB_})
    {
        slot->current.name[sizeof slot->current.name - 1] = '\0';
        slot->reference.name[sizeof slot->reference.name - 1] = '\0';
        putOnSteps(slot->current);
        putOnSteps(slot->reference);
        slot->modified = slot->current.sameValues(slot->reference) ? 0 : 1;
        verifyPlace(*slot);
    }
    active_ = aActive ? &setupA_ : &setupB_;
    announceRefresh();
}
