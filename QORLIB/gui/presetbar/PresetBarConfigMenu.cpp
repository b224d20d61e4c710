#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"

// Placeholder until the menu's controls land: the strip can open and close an empty overlay.
PresetBarConfigMenu::PresetBarConfigMenu(QorPresetBarEditor&) {}
PresetBarConfigMenu::~PresetBarConfigMenu() = default;
void PresetBarConfigMenu::build(QorViewContainer*) {}
void PresetBarConfigMenu::layout(const QorRect&) {}
void PresetBarConfigMenu::valueChanged(int32_t, double) {}
void PresetBarConfigMenu::notification(int32_t, double) {}
bool PresetBarConfigMenu::isPageSwitching() const { return false; }
void PresetBarConfigMenu::clearPageSwitching() {}
void PresetBarConfigMenu::setHintsSwitch(double) {}
QorRect PresetBarConfigMenu::currentRect() const { return {}; }
void PresetBarConfigMenu::clear() {}
