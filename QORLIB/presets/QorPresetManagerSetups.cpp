#include "QORLIB/presets/QorPresetManager.h"

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
    }
    active_ = aActive ? &setupA_ : &setupB_;
    announceRefresh();
}
