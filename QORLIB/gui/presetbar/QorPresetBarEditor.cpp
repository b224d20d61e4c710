#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"

#include "QORLIB/gui/QorKickButton.h"
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/ABCompPresetBarControl.h"
#include "QORLIB/gui/presetbar/ABCopyPresetBarControl.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"
#include "QORLIB/gui/presetbar/PresetBarConfigMenuButton.h"
#include "QORLIB/gui/presetbar/PresetBarLabelButton.h"
#include "QORLIB/gui/presetbar/PresetBarNameControl.h"
#include "QORLIB/gui/presetbar/PresetBarNudgeControl.h"
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/gui/presetbar/PresetBarScaleCornerControl.h"
#include "QORLIB/gui/presetbar/PresetBarScaleOptionMenuHandler.h"
#include "QORLIB/gui/presetbar/PresetBarUndoRedoControl.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr const char* kZoomHint = "Scroll this percentage up or down to change the GUIs zoom factor. Double click to "
                                  "reset its state to the default size (100%)";
constexpr const char* kSaveHint = "Click to save current setup as a *.qor preset file";
constexpr const char* kNameHint = "Click to see the pop-up menu of all the presets in the currently loaded bank / "
                                  "Right-Click to edit the current preset name";
constexpr const char* kNudgeHint = "Click the left/right arrow to switch the prev/next preset from the list";
constexpr const char* kUndoHint = "Click the left/right arrow to undo/redo action";
constexpr const char* kCopyHint = "Click to copy the current preset to clipboard";
constexpr const char* kPasteHint = "Click to paste the preset from clipboard";
constexpr const char* kABHint = "Click to switch between A and B setups";
constexpr const char* kABCopyHint = "Click to copy settings between A and B setups";
constexpr const char* kConfigHint = "Click to open configuration menu";
constexpr const char* kCornerHint = "Drag to change the GUIs zoom factor";

constexpr double kTop = -1.0, kRowBottom = 27.0, kLowTop = 25.0, kLowBottom = 53.0;
} // namespace

QorPresetBarEditor::QorPresetBarEditor()
    : presetMenu_(std::make_unique<PresetBarPresetMenu>(*this)), configMenu_(std::make_unique<PresetBarConfigMenu>(*this))
{
}

QorPresetBarEditor::~QorPresetBarEditor() = default;

void QorPresetBarEditor::addStrip(QorBaseControl* control, const char* hint)
{
    if (hint)
        control->setHint(hint);
    strip_->addControl(control);
}

void QorPresetBarEditor::open(double width, double height)
{
    width_ = width;
    height_ = height;
    strip_ = createContainer({0, 0, width, kStripHeight});
    if (!strip_)
        return;
    strip_->setBackgroundColour(PresetBarColours::kStrip);
    strip_->setMouseTransparent(false);
    showContainer(strip_);
    buildControls();
    placeControls();

    const QorRect overlay{0, kStripHeight, width, height + kStripHeight};
    presetOverlay_ = createContainer(overlay);
    presetOverlay_->setBackgroundColour(PresetBarColours::kPresetMenuOverlay);
    presetOverlay_->setMouseTransparent(false);
    presetMenuShown_ = false;
    presetMenu_->build(presetOverlay_);
    presetMenuHeight_ = 0.0;
    placePresetMenu();

    configOverlay_ = createContainer(overlay);
    configOverlay_->setBackgroundColour(PresetBarColours::kConfigMenuOverlay);
    configOverlay_->setMouseTransparent(false);
    configMenuShown_ = false;
    configMenu_->build(configOverlay_);
    configMenu_->layout({0, 0, width, height});

    // The grip's container covers only the grip, so that the panel below keeps its clicks.
    cornerOverlay_ = createContainer({width - kCornerSize, height + kStripHeight - kCornerSize, width,
                                      height + kStripHeight});
    cornerOverlay_->setBackgroundColour(PresetBarColours::kCornerOverlay);
    cornerOverlay_->setMouseTransparent(false);
    corner_ = new PresetBarScaleCornerControl({0, 0, kCornerSize, kCornerSize}, kZoomTag, *this);
    corner_->setHint(kCornerHint);
    cornerOverlay_->addControl(corner_);
    cornerShown_ = false;
    cornerDragging_ = false;

    isOpen_ = true;
    refreshName();
    presetMenu_->sync();
    refreshAB();
    zoom_ = manager_ ? manager_->zoomFactor() : editorZoom();
    refreshZoom();
    zoom_ = -1.0; // the first idle takes the editor's zoom
}

void QorPresetBarEditor::buildControls()
{
    zoomButton_ = new PresetBarScaleMenuButton({}, kZoomTag, *this);
    save_ = new PresetBarLabelButton({}, kSaveTag, "Save");
    name_ = new PresetBarNameControl({}, kNameTag);
    name_->setRenameRequest([this] { renamePreset(); });
    nudge_ = new PresetBarNudgeControl({}, kNudgeTag);
    undoRedo_ = new PresetBarUndoRedoControl({}, kUndoRedoTag);
    copy_ = new PresetBarLabelButton({}, kCopyTag, "Copy");
    paste_ = new PresetBarLabelButton({}, kPasteTag, "Paste");
    ab_ = new ABCompPresetBarControl({}, kABTag);
    abCopy_ = new ABCopyPresetBarControl({}, kABCopyTag);
    configButton_ = new PresetBarConfigMenuButton({}, kConfigTag);
    emptyTop_ = new QorKickButton({}, kEmptyTag);
    emptyBottom_ = new QorKickButton({}, kEmptyTag);
    for (QorKickButton* empty : {emptyTop_, emptyBottom_})
        empty->setHostClick(false);
    countdownControls_ = {zoomButton_, save_, name_, nudge_, undoRedo_, copy_, paste_, ab_, abCopy_, configButton_};
    for (PresetBarBasicControl* c : countdownControls_)
        c->setHostClick(false);
    addStrip(zoomButton_, kZoomHint);
    addStrip(save_, kSaveHint);
    addStrip(name_, kNameHint);
    addStrip(nudge_, kNudgeHint);
    addStrip(undoRedo_, kUndoHint);
    addStrip(copy_, kCopyHint);
    addStrip(paste_, kPasteHint);
    addStrip(ab_, kABHint);
    addStrip(abCopy_, kABCopyHint);
    addStrip(configButton_, kConfigHint);
    addStrip(emptyTop_, nullptr);
    addStrip(emptyBottom_, nullptr);
}

void QorPresetBarEditor::placeControls()
{
    const double w = width_;
    zoomButton_->setViewSize({0, kTop, 60, kRowBottom});
    nudge_->setViewSize({62, kTop, 122, kRowBottom});
    name_->setViewSize({128, 3, 366, 23});
    emptyTop_->setViewSize({367, kTop, w - 30, kRowBottom});
    configButton_->setViewSize({w - 29, kTop, w + 1, kRowBottom});
    save_->setViewSize({0, kLowTop, 60, kLowBottom});
    copy_->setViewSize({62, kLowTop, 122, kLowBottom});
    paste_->setViewSize({124, kLowTop, 184, kLowBottom});
    ab_->setViewSize({186, kLowTop, 246, kLowBottom});
    abCopy_->setViewSize({248, kLowTop, 308, kLowBottom});
    undoRedo_->setViewSize({310, kLowTop, 370, kLowBottom});
    emptyBottom_->setViewSize({371, kLowTop, w + 1, kLowBottom});
    zoomButton_->setFrameSize(w, height_ + kStripHeight);
    if (auto* handler = zoomButton_->popupHandler())
        handler->setViewSize(zoomButton_->getRect());
}

void QorPresetBarEditor::resized(double width, double height)
{
    if (!isOpen_)
        return;
    // A new zoom resizes the editor too: the percentage shows it at once, not on the next idle.
    if (const double z = editorZoom(); z != zoom_)
    {
        zoom_ = z;
        refreshZoom();
    }
    if (width == width_ && height == height_)
    {
        placePresetMenu(); // a zoom alone may change what fits on the screen
        return;
    }
    width_ = width;
    height_ = height;
    strip_->setViewSize({0, 0, width, kStripHeight});
    placeControls();
    presetMenuHeight_ = 0.0;
    placePresetMenu();
    configMenu_->layout({0, 0, width, height});
    const QorRect page = configMenu_->currentRect();
    configOverlay_->setViewSize({0, kStripHeight, width, kStripHeight + (page.height() > 0 ? page.height() : height)});
    cornerOverlay_->setViewSize(
        {width - kCornerSize, height + kStripHeight - kCornerSize, width, height + kStripHeight});
}

double QorPresetBarEditor::presetMenuHeight()
{
    const double zoom = editorZoom();
    const double fits = zoom > 0.0 ? std::floor(kScreenHeight / zoom) - kStripHeight : height_;
    return std::min(height_, fits);
}

void QorPresetBarEditor::placePresetMenu()
{
    const double h = presetMenuHeight();
    if (h == presetMenuHeight_ || !presetOverlay_)
        return;
    presetMenuHeight_ = h;
    presetOverlay_->setViewSize({0, kStripHeight, width_, h + kStripHeight});
    presetMenu_->layout({0, 0, width_, h});
}

void QorPresetBarEditor::close()
{
    if (!isOpen_)
        return;
    // A save dialog still up is closed; answers for the menus would find nobody.
    if (manager_)
        manager_->closeDialogs();
    if (auto* handler = zoomButton_ ? zoomButton_->popupHandler() : nullptr)
    {
        handler->closePopup();
        handler->forgetPopup();
    }
    presetMenu_->clear();
    configMenu_->clear();
    isOpen_ = false;
    presetMenuShown_ = configMenuShown_ = cornerShown_ = cornerDragging_ = false;
    strip_ = presetOverlay_ = configOverlay_ = cornerOverlay_ = nullptr;
    zoomButton_ = nullptr;
    save_ = copy_ = paste_ = nullptr;
    name_ = nullptr;
    nudge_ = nullptr;
    undoRedo_ = nullptr;
    ab_ = nullptr;
    abCopy_ = nullptr;
    configButton_ = nullptr;
    emptyTop_ = emptyBottom_ = nullptr;
    corner_ = nullptr;
    countdownControls_.clear();
}

QorBaseControl* QorPresetBarEditor::stripControl(int32_t tag) const
{
    switch (tag)
    {
    case kZoomTag:
        return zoomButton_;
    case kNudgeTag:
        return nudge_;
    case kNameTag:
        return name_;
    case kSaveTag:
        return save_;
    case kCopyTag:
        return copy_;
    case kPasteTag:
        return paste_;
    case kABTag:
        return ab_;
    case kABCopyTag:
        return abCopy_;
    case kUndoRedoTag:
        return undoRedo_;
    case kConfigTag:
        return configButton_;
    case kEmptyTag:
        return emptyTop_;
    default:
        return nullptr;
    }
}

void QorPresetBarEditor::savePreset()
{
    if (manager_)
        manager_->savePresetDialog();
}

void QorPresetBarEditor::valueChanged(int32_t tag, double value)
{
    if (!manager_ || !isOpen_)
        return;
    switch (tag)
    {
    case kNameTag:
        if (configMenuShown_)
            toggleConfigMenu();
        togglePresetMenu();
        break;
    case kNudgeTag:
        if (value <= 0.5)
            manager_->previousPreset();
        else
            manager_->nextPreset();
        refreshName();
        presetMenu_->sync();
        break;
    case kSaveTag:
        savePreset();
        break;
    case kCopyTag:
        manager_->copyToClipboard();
        break;
    case kPasteTag:
        manager_->pasteFromClipboard();
        break;
    case kManualTag:
    case kHintsTag:
    case kConfigPageTag:
        configMenu_->valueChanged(tag, value);
        break;
    case kZoomTag:
    {
        const bool fromCorner = cornerReporting_ && cornerShown_;
        const double factor = QorGlobalSettings::clampZoomFactor(fromCorner ? corner_->zoomFactor()
                                                                            : zoomButton_->zoomFactor());
        applyZoom(factor);
        manager_->setZoom(factor);
        zoom_ = factor;
        refreshZoom();
        break;
    }
    case kConfigTag:
        if (presetMenuShown_)
            togglePresetMenu();
        toggleConfigMenu();
        break;
    case 75:
    case 76:
    case 77:
    case 78:
    case 79:
    case 84:
    case 85:
    case kDesignerTag:
        presetMenu_->valueChanged(tag, value);
        break;
    case kUndoRedoTag:
        if (value <= 0.5)
            manager_->undo();
        else
            manager_->redo();
        break;
    case kABTag:
        manager_->switchSetup(value);
        refreshAB();
        refreshName();
        presetMenu_->sync();
        break;
    case kABCopyTag:
        manager_->copySetup();
        break;
    case kEmptyTag:
        if (presetMenuShown_)
            valueChanged(kNameTag, value);
        if (configMenuShown_)
            toggleConfigMenu();
        break;
    default:
        break;
    }
}

