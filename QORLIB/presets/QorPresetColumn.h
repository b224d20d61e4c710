#pragma once

#include "QORLIB/presets/QorPresetEntry.h"

#include <cstdint>
#include <string>
#include <vector>

// A column of a preset directory: a named list of entries owned by the directory.
class QorPresetColumn
{
public:
    static constexpr uint32_t kMaxEntries = 512;
    // The whole name is kept: for a user column it is the sub-folder's name on disk.
    explicit QorPresetColumn(const std::string& name) : name_(name) {}

    const std::string& name() const { return name_; }
    uint32_t entryCount() const { return static_cast<uint32_t>(entries_.size()); }
    QorPresetEntry* entry(uint32_t i) const { return i < entries_.size() ? entries_[i] : nullptr; }

    // False, and the entry not listed, when the column is full.
    bool add(QorPresetEntry* e)
    {
        if (entries_.size() >= kMaxEntries)
            return false;
        entries_.push_back(e);
        return true;
    }
    std::vector<QorPresetEntry*>& entries() { return entries_; }

private:
    std::string name_;
    std::vector<QorPresetEntry*> entries_;
};
