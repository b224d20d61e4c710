#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>

class QorPresetBarEditor;
class QorViewContainer;

// The preset browser over the product area: a group switch (factory categories, designers,
// the user's folders), the column list, the presets of the chosen column, the designer's photo
// and a line that says where the presets live. A click on a preset loads it; a double click
// also closes the menu.
class PresetBarPresetMenu
{
public:
    explicit PresetBarPresetMenu(QorPresetBarEditor& owner);
    ~PresetBarPresetMenu();

    // Creates the controls in the overlay (its own coordinates) and syncs.
    void build(QorViewContainer* overlay);
    // Places the controls in an overlay of the rectangle's size.
    void layout(const QorRect& rect);
    // Takes the manager's kind, column and index into the menu and its controls.
    void sync();
    // Tags 75..79, 84, 85 and 88 from the strip editor.
    void valueChanged(int32_t tag, double value);
    // While shown, the strip's idle redraws the three lists.
    void redrawLists();
    // Forgets the controls (the overlay that owns them goes).
    void clear();
};
