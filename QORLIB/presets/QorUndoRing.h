#pragma once

#include "QORLIB/presets/QorPresetRecord.h"

#include <array>
#include <cstdint>

struct QorUndoEntry
{
    QorPresetRecord after;  // parameter changes: the record after the change
    QorPresetRecord before; // the current record before the change or load
    uint8_t isPresetLoad = 0;
    int32_t beforeKind = 0, beforeColumn = 0, beforeIndex = 0;
    int32_t afterKind = -1, afterColumn = -1, afterIndex = -1; // -1 until the load completes
};

struct QorSelection
{
    int32_t kind, column, index;
    bool operator==(const QorSelection&) const = default;
};

// The bookkeeping of the 32-entry undo ring: start is the floor (never undone itself), head
// the newest entry, pos the entry the next undo reverts. At most 31 steps can be undone.
class QorUndoRing
{
public:
    static constexpr uint32_t kSize = 32;
    static constexpr uint32_t kGroupingMs = 50; // changes this close together form one step

    void reset() { *this = QorUndoRing(); }

    void beginPresetLoad(const QorSelection& before, const QorPresetRecord& current);
    // Drops the entry again when the selection did not change; ignored without an open load.
    void endPresetLoad(const QorSelection& after);
    // A change of a record slot (index < 12; other indices change no value) at tick now.
    void recordChange(uint32_t now, int32_t index, float value, const QorPresetRecord& current);

    // The entry the next undo reverts, or null; moves pos back.
    const QorUndoEntry* takeUndo();
    // The entry the next redo repeats, or null; moves pos on.
    const QorUndoEntry* takeRedo();

    bool canUndo() const { return canUndo_; }
    bool canRedo() const { return canRedo_; }
    uint32_t start() const { return start_; }
    uint32_t head() const { return head_; }
    uint32_t pos() const { return pos_; }
    const QorUndoEntry& entry(uint32_t i) const { return entries_[i % kSize]; }

private:
    static uint32_t next(uint32_t i) { return (i + 1) % kSize; }
    static uint32_t previous(uint32_t i) { return (i + kSize - 1) % kSize; }
    void openEntry(uint32_t at);
    void updateFlags();

    std::array<QorUndoEntry, kSize> entries_{};
    uint32_t start_ = 0, head_ = 0, pos_ = 0;
    uint32_t lastChangeTick_ = 0;
    bool canUndo_ = false, canRedo_ = false;
    // Positions before the open preset load, restored when it is dropped as unchanged.
    uint32_t savedStart_ = 0, savedHead_ = 0, savedPos_ = 0;
    bool loadOpen_ = false;
};
