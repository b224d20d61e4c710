#include "QORLIB/presets/QorUndoRing.h"

void QorUndoRing::openEntry(uint32_t at)
{
    head_ = pos_ = at;
    if (head_ == start_)
        start_ = next(start_); // the oldest step is lost
}

void QorUndoRing::beginPresetLoad(const QorSelection& before, const QorPresetRecord& current)
{
    savedStart_ = start_;
    savedHead_ = head_;
    savedPos_ = pos_;
    loadOpen_ = true;
    // Placed after the newest entry even when steps had been undone: those stay reachable.
    openEntry(next(head_));
    QorUndoEntry& e = entries_[head_];
    e.isPresetLoad = 1;
    e.beforeKind = before.kind;
    e.beforeColumn = before.column;
    e.beforeIndex = before.index;
    e.before = current;
    e.after = current;
    e.afterKind = e.afterColumn = e.afterIndex = -1;
    updateFlags();
}

void QorUndoRing::endPresetLoad(const QorSelection& after)
{
    if (!loadOpen_)
        return;
    loadOpen_ = false;
    QorUndoEntry& e = entries_[head_];
    e.afterKind = after.kind;
    e.afterColumn = after.column;
    e.afterIndex = after.index;
    if (after == QorSelection{e.beforeKind, e.beforeColumn, e.beforeIndex})
    {
        // The entry slot at start is never read, so the overwritten slot needs no restoring.
        start_ = savedStart_;
        head_ = savedHead_;
        pos_ = savedPos_;
    }
    updateFlags();
}

void QorUndoRing::recordChange(uint32_t now, int32_t index, float value,
                               const QorPresetRecord& current)
{
    const uint32_t elapsed = now - lastChangeTick_;
    lastChangeTick_ = now;
    const bool slot = index >= 0 && index < QorPresetRecord::kNumValues;
    if (elapsed > kGroupingMs)
    {
        openEntry(next(pos_)); // steps beyond pos are dropped
        QorUndoEntry& e = entries_[head_];
        e.isPresetLoad = 0;
        e.before = current;
        e.after = current;
        if (slot)
            e.after.values[index] = value;
    }
    else if (slot)
        entries_[head_].after.values[index] = value;
    updateFlags();
}

const QorUndoEntry* QorUndoRing::takeUndo()
{
    if (pos_ == start_)
        return nullptr;
    const QorUndoEntry* e = &entries_[pos_];
    pos_ = previous(pos_);
    updateFlags();
    return e;
}

const QorUndoEntry* QorUndoRing::takeRedo()
{
    if (pos_ == head_)
        return nullptr;
    pos_ = next(pos_);
    updateFlags();
    return &entries_[pos_];
}

void QorUndoRing::updateFlags()
{
    if (head_ > start_)
    {
        canUndo_ = pos_ > start_;
        canRedo_ = pos_ < head_;
    }
    else if (head_ == start_)
        canUndo_ = canRedo_ = false;
    else
    {
        canUndo_ = pos_ != start_;
        canRedo_ = pos_ != head_;
    }
}
