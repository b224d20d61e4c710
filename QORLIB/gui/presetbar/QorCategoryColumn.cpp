#include "QORLIB/gui/presetbar/QorCategoryColumn.h"

#include "QORLIB/presets/QorPresetManager.h"

QorCategoryColumn::QorCategoryColumn(const QorRect& rect, const QorPresetManager* manager)
    : QorPresetCustomMenu(rect, kTag), manager_(manager)
{
}

void QorCategoryColumn::setKind(uint32_t kind)
{
    kind_ = kind;
    setUserColours(kind == kQorUserDirectory);
    rebuild();
}

int32_t QorCategoryColumn::itemCount() const
{
    const QorPresetDirectory* dir = manager_ ? manager_->directory(kind_) : nullptr;
    return dir ? static_cast<int32_t>(dir->columnCount()) : 0;
}

std::string QorCategoryColumn::itemLabel(int32_t item) const
{
    std::string name;
    if (manager_)
        manager_->columnName(kind_, static_cast<uint32_t>(item), name);
    return name;
}
