#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>

class QorPresetBarEditor;
class QorViewContainer;

// The configuration overlay: "Global settings" (manual, hints, version) and "Plugin info",
// which shrinks the overlay to its switch row so that the about box below can be seen.
class PresetBarConfigMenu
{
public:
    explicit PresetBarConfigMenu(QorPresetBarEditor& owner);
    ~PresetBarConfigMenu();

    void build(QorViewContainer* overlay);
    void layout(const QorRect& rect);
    // Tags 55, 57 and 62 from the strip editor.
    void valueChanged(int32_t tag, double value);
    // Ids 57, 93 and 94.
    void notification(int32_t id, double value);
    bool isPageSwitching() const;
    void clearPageSwitching();
    // The hints switch shows the process-wide hints flag when the menu opens.
    void setHintsSwitch(double value);
    // The overlay's rectangle for the current page: full, or collapsed to the switch row.
    QorRect currentRect() const;
    void clear();
};
