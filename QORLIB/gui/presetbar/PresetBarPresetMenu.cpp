#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"

// Placeholder until the menu's controls land: the strip can open and close an empty overlay.
PresetBarPresetMenu::PresetBarPresetMenu(QorPresetBarEditor&) {}
PresetBarPresetMenu::~PresetBarPresetMenu() = default;
void PresetBarPresetMenu::build(QorViewContainer*) {}
void PresetBarPresetMenu::layout(const QorRect&) {}
void PresetBarPresetMenu::sync() {}
void PresetBarPresetMenu::valueChanged(int32_t, double) {}
void PresetBarPresetMenu::redrawLists() {}
void PresetBarPresetMenu::clear() {}
