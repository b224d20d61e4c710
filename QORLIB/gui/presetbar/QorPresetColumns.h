#pragma once

#include "QORLIB/gui/presetbar/QorPresetCustomMenu.h"

class QorPresetManager;

// The presets of one directory column, numbered from "00. ". A double click on a preset also
// asks for the menu to close.
class QorPresetColumns : public QorPresetCustomMenu
{
public:
    static constexpr int32_t kTag = 77;

    QorPresetColumns(const QorRect& rect, const QorPresetManager* manager);

    // Shows a column of a kind's directory, in the kind's colours.
    void setSource(uint32_t kind, uint32_t column);
    uint32_t kind() const { return kind_; }
    uint32_t column() const { return column_; }
    bool closeFlag() const { return close_; }
    // Returns the close flag and clears it.
    bool takeCloseFlag();

protected:
    int32_t itemCount() const override;
    std::string itemLabel(int32_t item) const override;
    void cellPressed(uint32_t flags) override;

private:
    const QorPresetManager* manager_;
    uint32_t kind_ = 0;
    uint32_t column_ = 0;
    bool close_ = false;
};
