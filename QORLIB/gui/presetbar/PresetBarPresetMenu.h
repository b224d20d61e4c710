#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>

class QorCategoryColumn;
class QorDesignerLogo;
class QorPresetBarEditor;
class QorPresetColumns;
class QorPresetManager;
class QorPresetMenuBottomTextInfo;
class QorPresetMenuGroupSwitch;
class QorViewContainer;

// The preset browser over the product area: a group switch (factory categories, designers,
// the user's folders), the column list, the presets of the chosen column, the designer's photo
// and a line that says where the presets live. A click on a preset loads it; a double click
// also closes the menu.
class PresetBarPresetMenu
{
public:
    static constexpr double kSwitchRowHeight = 29.0;
    static constexpr double kPhotoAreaHeight = 140.0;
    static constexpr double kBottomLineHeight = 27.0;
    static constexpr double kColumnListWidth = 200.0;
    static constexpr double kListTop = 31.0;
    static constexpr double kRowHeight = 20.0;

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
    // Forgets the controls (the overlay that owns them goes).
    void clear();

    // What the menu shows; may differ from the manager's until a preset is clicked.
    uint32_t kind() const { return kind_; }
    uint32_t column() const { return column_; }
    int32_t index() const { return index_; }
    QorPresetMenuGroupSwitch* groupSwitch() const { return group_; }
    QorPresetMenuBottomTextInfo* bottomLine() const { return bottom_; }
    QorDesignerLogo* designerLogo() const { return logo_; }
    QorCategoryColumn* columnList() const { return columns_; }
    QorPresetColumns* presetList() const { return presets_; }

private:
    void groupChanged(double value);
    void columnChosen();
    void presetChosen();
    void showDesigner();
    // Moves the manager to the menu's kind and column, each change its own undo step.
    void followMenuSelection();

    QorPresetBarEditor& owner_;
    QorViewContainer* overlay_ = nullptr;
    QorRect rect_;
    QorPresetMenuGroupSwitch* group_ = nullptr;
    QorPresetMenuBottomTextInfo* bottom_ = nullptr;
    QorDesignerLogo* logo_ = nullptr;
    QorCategoryColumn* columns_ = nullptr;
    QorPresetColumns* presets_ = nullptr;
    uint32_t kind_ = 0;
    uint32_t column_ = 0;
    int32_t index_ = -1;
};
