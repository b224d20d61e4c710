#pragma once

#include "QORLIB/gui/presetbar/QorPresetCustomMenu.h"

class QorPresetManager;

// The columns of one preset directory (categories, designers or user sub-folders), "All" first.
class QorCategoryColumn : public QorPresetCustomMenu
{
public:
    static constexpr int32_t kTag = 76;

    QorCategoryColumn(const QorRect& rect, const QorPresetManager* manager);

    // Shows the directory of a kind, in its colours.
    void setKind(uint32_t kind);
    uint32_t kind() const { return kind_; }

protected:
    int32_t itemCount() const override;
    std::string itemLabel(int32_t item) const override;

private:
    const QorPresetManager* manager_;
    uint32_t kind_ = 0;
};
