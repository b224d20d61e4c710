#pragma once

#include "QORLIB/gui/QorGuiTypes.h"
#include "QORLIB/gui/QorPluginFormat.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetNotifications.h"

#include <memory>
#include <string>
#include <vector>

class ABCompPresetBarControl;
class ABCopyPresetBarControl;
class PresetBarBasicControl;
class PresetBarConfigMenu;
class PresetBarConfigMenuButton;
class PresetBarLabelButton;
class PresetBarNameControl;
class PresetBarNudgeControl;
class PresetBarPresetMenu;
class PresetBarScaleCornerControl;
class PresetBarScaleMenuButton;
class PresetBarUndoRedoControl;
class QorBaseControl;
class QorKickButton;
class QorPresetManager;
class QorViewContainer;

// The strip above the product editor: zoom, preset name and menus, Save, Copy, Paste, A/B,
// undo and redo. Turns its controls' edits into operations of the preset manager, the two menus
// and the editor's zoom. The editor wrapper derives from it and supplies the frame-side
// operations. Main thread only.
class QorPresetBarEditor
{
public:
    static constexpr double kStripHeight = 52.0;
    static constexpr double kCornerSize = 20.0;
    // The open preset menu stays within a screen this many pixels high at every zoom.
    static constexpr double kScreenHeight = 1080.0;

    enum Tag : int32_t
    {
        kNameTag = 30,
        kNudgeTag = 32,
        kSaveTag = 36,
        kCopyTag = 49,
        kPasteTag = 51,
        kManualTag = 55,
        kHintsTag = 57,
        kZoomTag = 60,
        kConfigPageTag = 62,
        kConfigTag = 63,
        kGroupTag = 75,
        kColumnListTag = 76,
        kPresetListTag = 77,
        kBottomLineTag = 78,
        kUndoRedoTag = 81,
        kABTag = 82,
        kABCopyTag = 83,
        kEmptyTag = 87,
        kDesignerTag = 88,
    };
    QorPresetBarEditor();
    virtual ~QorPresetBarEditor();
    QorPresetBarEditor(const QorPresetBarEditor&) = delete;
    QorPresetBarEditor& operator=(const QorPresetBarEditor&) = delete;

    void setManager(QorPresetManager* manager) { manager_ = manager; }
    QorPresetManager* getManager() const { return manager_; }

    // Builds the strip for an editor of width × height points (the product area's height).
    void open(double width, double height);
    // Forgets the controls and the menus' contents; the wrapper removes the containers.
    void close();
    bool isOpen() const { return isOpen_; }
    // The listener of every strip, menu and overlay control.
    void valueChanged(int32_t tag, double value);
    // Notifications from the controller side.
    void parameterChanged(int32_t tag, double value);
    // One tick of the editor's 33 ms idle.
    void idle();

    void refreshName();
    void refreshAB();
    void refreshZoom();
    void togglePresetMenu();
    void toggleConfigMenu();
    bool isPresetMenuShown() const { return presetMenuShown_; }
    bool isConfigMenuShown() const { return configMenuShown_; }
    bool isCornerShown() const { return cornerShown_; }
    bool isCornerDragging() const { return cornerDragging_; }
    double cachedZoom() const { return zoom_; }

    PresetBarPresetMenu* presetMenu() const { return presetMenu_.get(); }
    PresetBarConfigMenu* configMenu() const { return configMenu_.get(); }
    QorViewContainer* stripContainer() const { return strip_; }
    QorViewContainer* presetMenuOverlay() const { return presetOverlay_; }
    QorViewContainer* configMenuOverlay() const { return configOverlay_; }
    // The strip control with a tag (the first one for 87), or null.
    QorBaseControl* stripControl(int32_t tag) const;
    PresetBarNameControl* nameControl() const { return name_; }
    PresetBarScaleMenuButton* zoomControl() const { return zoomButton_; }
    PresetBarScaleCornerControl* cornerGrip() const { return corner_; }

    // Supplied by the editor wrapper.
    // Resizes the editor and the strip for a zoom factor.
    virtual void applyZoom(double factor) = 0;
    // A container in frame coordinates, not shown yet; its controls report to valueChanged.
    virtual QorViewContainer* createContainer(const QorRect& rect) = 0;
    virtual void showContainer(QorViewContainer* container) = 0;
    virtual void hideContainer(QorViewContainer* container) = 0;
    // The host interface: announcements 89 to 94 go where the product editor's edits go.
    virtual void announce(int32_t id, double value) = 0;
    // Hints shown (true) or hidden by the wrapper.
    virtual void showHints(bool on) = 0;
    // The pointer in frame points and the held buttons and modifiers.
    virtual void readPointer(QorPoint& where, uint32_t& buttons) = 0;
    // The editor's zoom factor now.
    virtual double editorZoom() = 0;
    // The format the editor runs in, for the version line.
    virtual const QorPluginFormat& editorFormat() const { return QorPluginFormats::kUnnamed; }

    // The corner grip's press, moves with the button held, and release, in the grip's own
    // points: the drag zooms from the press on, without waiting for an idle tick.
    void cornerPressed(const QorPoint& local);
    void cornerMoved(const QorPoint& local);
    void cornerReleased() { cornerDragging_ = false; }

    // The editor's size or zoom changed (points at zoom 1; height without the strip): the strip,
    // the overlays and the zoom percentage follow.
    void resized(double width, double height);

protected:
    // Save: the manager's dialog; the wrapper offers a field of its own where no dialog exists.
    virtual void savePreset();
    // A right press on the name: the wrapper shows a field to rename the current setup.
    virtual void renamePreset() {}

private:
    void buildControls();
    void placeControls();
    void addStrip(QorBaseControl* control, const char* hint);
    void cornerIdle(const QorPoint& mouse, uint32_t buttons);
    // The preset menu's height in points: the panel's, or less where the zoomed panel is taller
    // than the screen; and the overlay and the menu laid out for it.
    double presetMenuHeight();
    void placePresetMenu();
    // Starts a drag at, or follows it to, a pointer in device pixels at the zoom now.
    void startCornerDrag(const QorPoint& device);
    void followCornerDrag(const QorPoint& device);
    QorPoint cornerToDevice(const QorPoint& local) const;
    void handleInfoNotification(int32_t id, double value);

    QorPresetManager* manager_ = nullptr;
    double width_ = 400.0;
    double height_ = 275.0;
    QorViewContainer* strip_ = nullptr;
    QorViewContainer* presetOverlay_ = nullptr;
    QorViewContainer* configOverlay_ = nullptr;
    QorViewContainer* cornerOverlay_ = nullptr;
    PresetBarScaleMenuButton* zoomButton_ = nullptr;
    PresetBarLabelButton* save_ = nullptr;
    PresetBarNameControl* name_ = nullptr;
    PresetBarNudgeControl* nudge_ = nullptr;
    PresetBarUndoRedoControl* undoRedo_ = nullptr;
    PresetBarLabelButton* copy_ = nullptr;
    PresetBarLabelButton* paste_ = nullptr;
    ABCompPresetBarControl* ab_ = nullptr;
    ABCopyPresetBarControl* abCopy_ = nullptr;
    PresetBarConfigMenuButton* configButton_ = nullptr;
    QorKickButton* emptyTop_ = nullptr;
    QorKickButton* emptyBottom_ = nullptr;
    PresetBarScaleCornerControl* corner_ = nullptr;
    std::vector<PresetBarBasicControl*> countdownControls_;
    std::unique_ptr<PresetBarPresetMenu> presetMenu_;
    std::unique_ptr<PresetBarConfigMenu> configMenu_;
    bool isOpen_ = false;
    bool presetMenuShown_ = false;
    bool configMenuShown_ = false;
    bool cornerShown_ = false;
    bool notifying_ = false;
    bool cornerDragging_ = false;
    bool cornerReporting_ = false;
    QorPoint mouse_;
    uint32_t buttons_ = 0;
    double zoom_ = 1.0;
    double dragStartZoom_ = 1.0;
    QorPoint dragStart_;
    std::string nameHint_;
    double presetMenuHeight_ = 0.0;
};
