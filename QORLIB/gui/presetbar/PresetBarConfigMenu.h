#pragma once

#include "QORLIB/gui/QorGuiTypes.h"

#include <cstdint>
#include <string>

class QorConfigMenu2waySwitch;
class QorConfigMenuExitButton;
class QorConfigMenuGroupSwitch;
class QorConfigMenuKickButton;
class QorConfigPluginInfoText;
class QorPresetBarEditor;
class QorViewContainer;

// The configuration overlay: "Global settings" (manual, hints, version) and "Plugin info",
// which shrinks the overlay to its switch row so that the about box below can be seen.
class PresetBarConfigMenu
{
public:
    static constexpr double kCollapsedHeight = 29.0;
    static constexpr const char* kNoReaderCaption = "Could not open manual file";
    static constexpr const char* kFailedText = "Could not open user manual";
    static constexpr const char* kNoManualNote = "No user manual was found";
    // The message for a manual that is there but nothing opens: names what to install.
    static std::string noReaderText(const std::string& path);

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
    // The overlay's rectangle for the current page: full, or collapsed to the switch row, in
    // the coordinates layout was given.
    QorRect currentRect() const;
    void clear();

    int32_t page() const { return page_; }
    QorConfigMenuGroupSwitch* pageSwitch() const { return pageSwitch_; }
    QorConfigMenuKickButton* manualButton() const { return manual_; }
    QorConfigMenu2waySwitch* hintsSwitch() const { return hints_; }
    QorConfigPluginInfoText* versionText() const { return version_; }
    QorConfigMenuExitButton* exitArea() const { return exit_; }

private:
    void openManual();
    void showPage(int32_t page);

    QorPresetBarEditor& owner_;
    QorViewContainer* overlay_ = nullptr;
    QorRect full_;
    int32_t page_ = 0;
    bool pageSwitching_ = false;
    QorConfigMenuGroupSwitch* pageSwitch_ = nullptr;
    QorConfigMenuExitButton* exit_ = nullptr;
    QorConfigMenuKickButton* manual_ = nullptr;
    QorConfigMenu2waySwitch* hints_ = nullptr;
    QorConfigPluginInfoText* version_ = nullptr;
};
