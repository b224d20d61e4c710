#include "QORLIB/gui/presetbar/QorPresetColumns.h"

#include "QORLIB/presets/QorPresetManager.h"

#include <cstdio>

QorPresetColumns::QorPresetColumns(const QorRect& rect, const QorPresetManager* manager)
    : QorPresetCustomMenu(rect, kTag), manager_(manager)
{
}

void QorPresetColumns::setSource(uint32_t kind, uint32_t column)
{
    kind_ = kind;
    column_ = column;
    setUserColours(kind == kQorUserDirectory);
    rebuild();
}

bool QorPresetColumns::takeCloseFlag()
{
    const bool was = close_;
    close_ = false;
    return was;
}

int32_t QorPresetColumns::itemCount() const
{
    return manager_ ? static_cast<int32_t>(manager_->entryCount(kind_, column_)) : 0;
}

std::string QorPresetColumns::itemLabel(int32_t item) const
{
    char number[16];
    std::snprintf(number, sizeof number, item < 10 ? "0%d. " : "%d. ", item);
    return number + (manager_ ? manager_->entryName(kind_, column_, item) : std::string());
}

void QorPresetColumns::cellPressed(uint32_t flags) { close_ = (flags & kQorDoubleClick) != 0; }
