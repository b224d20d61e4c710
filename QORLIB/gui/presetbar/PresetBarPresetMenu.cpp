#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"

#include "QORLIB/gui/QorBitmapGlobals.h"
#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/QorCategoryColumn.h"
#include "QORLIB/gui/presetbar/QorDesignerLogo.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"
#include "QORLIB/gui/presetbar/QorPresetColumns.h"
#include "QORLIB/gui/presetbar/QorPresetMenuBottomTextInfo.h"
#include "QORLIB/gui/presetbar/QorPresetMenuGroupSwitch.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "vellaCor/vellaCorParameters.h"

namespace
{
constexpr uint32_t kMaxColumnNumber = 127;
constexpr int32_t kMaxEntryNumber = 511;
} // namespace

PresetBarPresetMenu::PresetBarPresetMenu(QorPresetBarEditor& owner) : owner_(owner) {}

PresetBarPresetMenu::~PresetBarPresetMenu() = default;

void PresetBarPresetMenu::build(QorViewContainer* overlay)
{
    clear();
    overlay_ = overlay;
    if (!overlay_)
        return;
    const QorPresetManager* manager = owner_.getManager();
    group_ = new QorPresetMenuGroupSwitch({});
    overlay_->addControl(group_);
    bottom_ = new QorPresetMenuBottomTextInfo({}, manager);
    overlay_->addControl(bottom_);
    logo_ = new QorDesignerLogo({});
    logo_->setHint(QorDesignerLogo::kHint);
    overlay_->addControl(logo_);
    columns_ = new QorCategoryColumn({}, manager);
    overlay_->addControl(columns_);
    presets_ = new QorPresetColumns({}, manager);
    overlay_->addControl(presets_);
    layout(overlay_->getRect());
    sync();
}

void PresetBarPresetMenu::layout(const QorRect& rect)
{
    rect_ = rect;
    if (!group_)
        return;
    const double w = rect.width();
    const double h = rect.height();
    const double listBottom = h - kSwitchRowHeight;
    const double photoTop = listBottom - kPhotoAreaHeight;
    // The menu opens inside the panel's own size, where the photo below the column list would
    // hide columns: then the columns take the place of the photo.
    const double rowsBelowPhoto = (photoTop - kListTop) / kRowHeight;
    const bool photo = kind_ != kQorUserDirectory && columns_->cellCount() <= static_cast<int32_t>(rowsBelowPhoto);
    group_->setViewSize({0, 1, w, kSwitchRowHeight});
    columns_->setViewSize({0, kListTop, kColumnListWidth, photo ? photoTop : listBottom});
    logo_->setViewSize(photo ? QorRect{0, photoTop, kColumnListWidth, listBottom} : QorRect{0, photoTop, 0, photoTop});
    presets_->setViewSize({kColumnListWidth + 1, kListTop, w + 1, listBottom});
    bottom_->setViewSize({0, h - kBottomLineHeight, w, h + 1});
}

void PresetBarPresetMenu::sync()
{
    const QorPresetManager* manager = owner_.getManager();
    if (!manager || !group_)
        return;
    kind_ = manager->kind();
    column_ = manager->column();
    index_ = manager->index();
    group_->setValue(kind_ * 0.5);
    group_->invalid();
    bottom_->setSelection(kind_, column_, index_);
    columns_->setKind(kind_);
    columns_->select(static_cast<int32_t>(column_));
    presets_->setSource(kind_, column_);
    presets_->select(index_);
    layout(rect_);
    showDesigner();
}

void PresetBarPresetMenu::valueChanged(int32_t tag, double value)
{
    if (!owner_.getManager() || !group_)
        return;
    switch (tag)
    {
    case QorPresetMenuGroupSwitch::kTag:
        groupChanged(value);
        break;
    case QorCategoryColumn::kTag:
        columnChosen();
        break;
    case QorPresetColumns::kTag:
        presetChosen();
        break;
    case QorPresetMenuBottomTextInfo::kTag:
        if (kind_ == kQorUserDirectory)
            owner_.getManager()->openUserFolder([this] {
                if (bottom_)
                    bottom_->showOpenFailure();
            });
        break;
    case QorDesignerLogo::kTag:
        owner_.togglePresetMenu();
        break;
    default:
        break;
    }
}

// A change of directory shows its "All" column without loading anything.
void PresetBarPresetMenu::groupChanged(double value)
{
    QorPresetManager& manager = *owner_.getManager();
    const uint32_t kind = static_cast<uint32_t>(vellaCorParameters::truncToInt(value * 2 + 0.5));
    if (kind > kQorUserDirectory || kind == kind_)
        return;
    kind_ = kind;
    column_ = 0;
    index_ = -1;
    if (manager.kind() != kind)
    {
        manager.beginPresetLoad();
        manager.setKind(kind);
        manager.endPresetLoad();
        if (kind == kQorUserDirectory)
            manager.rescanUserPresets();
    }
    columns_->setKind(kind_);
    columns_->select(0);
    layout(rect_);
    showDesigner();
    presets_->setSource(kind_, column_);
    presets_->select(-1);
    bottom_->setSelection(kind_, column_, index_);
}

void PresetBarPresetMenu::columnChosen()
{
    QorPresetManager& manager = *owner_.getManager();
    const int32_t column = columns_->selectedValue();
    if (column < 0 || static_cast<uint32_t>(column) > kMaxColumnNumber)
        return;
    column_ = static_cast<uint32_t>(column);
    index_ = -1;
    manager.beginPresetLoad();
    manager.setColumn(column_);
    manager.endPresetLoad();
    showDesigner();
    presets_->setSource(kind_, column_);
    presets_->select(-1);
    bottom_->setSelection(kind_, column_, index_);
}

void PresetBarPresetMenu::followMenuSelection()
{
    QorPresetManager& manager = *owner_.getManager();
    if (manager.kind() != kind_)
    {
        manager.beginPresetLoad();
        manager.setKind(kind_);
        manager.endPresetLoad();
        if (kind_ == kQorUserDirectory)
            manager.rescanUserPresets();
    }
    if (manager.column() != column_)
    {
        manager.beginPresetLoad();
        manager.setColumn(column_);
        manager.endPresetLoad();
    }
}

void PresetBarPresetMenu::presetChosen()
{
    const int32_t entry = presets_->selectedValue();
    if (entry < 0 || entry > kMaxEntryNumber)
    {
        presets_->takeCloseFlag();
        return;
    }
    index_ = entry;
    followMenuSelection();
    owner_.getManager()->selectPreset(index_);
    columns_->select(static_cast<int32_t>(column_));
    showDesigner();
    presets_->select(index_);
    bottom_->setSelection(kind_, column_, index_);
    if (presets_->takeCloseFlag())
        owner_.togglePresetMenu();
    owner_.refreshName();
}

// The selected designer's photo (designer row - 1 in the Designer directory), else the maker's.
void PresetBarPresetMenu::showDesigner()
{
    const QorPresetManager* manager = owner_.getManager();
    if (!manager || !logo_)
        return;
    const QorPresetProduct& product = manager->product();
    const int32_t row = columns_->selectedValue();
    const QorDesignerRecord* designer = nullptr;
    if (kind_ == kQorDesignerDirectory && row >= 1 && row - 1 < product.designerCount && product.designers)
        designer = &product.designers[row - 1];
    QorBitmap* photo = designer && designer->logoBitmapId != 0 ? QorBitmapGlobals::get(designer->logoBitmapId) : nullptr;
    if (!photo)
        photo = QorBitmapGlobals::get(QorBitmapGlobals::kDesignerLogo);
    logo_->setDesigner(photo, designer && designer->webAddress ? designer->webAddress : "");
}

void PresetBarPresetMenu::clear()
{
    overlay_ = nullptr;
    group_ = nullptr;
    bottom_ = nullptr;
    logo_ = nullptr;
    columns_ = nullptr;
    presets_ = nullptr;
}
