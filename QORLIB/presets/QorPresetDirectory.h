#pragma once

#include "QORLIB/presets/QorPresetColumn.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

enum QorDirectoryKind : uint32_t
{
    kQorCategoryDirectory = 0,
    kQorDesignerDirectory = 1,
    kQorUserDirectory = 2,
};

// Up to 128 columns; column 0 is "All". Owns every entry; a column only lists them, so that
// "All" and a folder column can show the same entry.
class QorPresetDirectory
{
public:
    static constexpr uint32_t kMaxColumns = 128;

    uint32_t columnCount() const { return columnCount_; }
    QorPresetColumn* column(uint32_t c) const
    {
        return c < kMaxColumns ? columns_[c].get() : nullptr;
    }
    uint32_t entryCount(uint32_t c) const
    {
        const QorPresetColumn* col = column(c);
        return col != nullptr ? col->entryCount() : 0;
    }
    QorPresetEntry* entry(uint32_t c, uint32_t i) const
    {
        const QorPresetColumn* col = column(c);
        return col != nullptr ? col->entry(i) : nullptr;
    }

    // Appends a column; null when all slots are taken.
    QorPresetColumn* addColumn(const std::string& name)
    {
        if (columnCount_ >= kMaxColumns)
            return nullptr;
        columns_[columnCount_] = std::make_unique<QorPresetColumn>(name);
        return columns_[columnCount_++].get();
    }
    QorPresetEntry* newEntry(int32_t factoryIndex, const std::string& fileName, int32_t folder)
    {
        entries_.push_back(std::make_unique<QorPresetEntry>(QorPresetEntry{factoryIndex, fileName, folder}));
        return entries_.back().get();
    }
    void swapColumns(uint32_t a, uint32_t b) { columns_[a].swap(columns_[b]); }
    void clear()
    {
        for (auto& c : columns_)
            c.reset();
        entries_.clear();
        columnCount_ = 0;
    }

private:
    std::array<std::unique_ptr<QorPresetColumn>, kMaxColumns> columns_;
    std::vector<std::unique_ptr<QorPresetEntry>> entries_;
    uint32_t columnCount_ = 0;
};
