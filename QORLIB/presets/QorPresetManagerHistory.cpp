// QorPresetManager: A/B setups, undo and redo, clipboard and preset files.
#include "QORLIB/presets/QorPresetManager.h"

#include "QORLIB/platform/QorAtomicFile.h"
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorSaveDialog.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetClipboard.h"
#include "QORLIB/presets/QorUserPresetFolder.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>

void QorPresetManager::switchSetup(double value)
{
    active_ = value < 0.5 ? &setupA_ : &setupB_;
    applyRecord(&active_->current);
}

void QorPresetManager::copySetup()
{
    if (active_ == &setupA_)
        setupB_ = setupA_;
    else
        setupA_ = setupB_;
}

void QorPresetManager::beginPresetLoad()
{
    if (!historyBusy_)
        ring_.beginPresetLoad({static_cast<int32_t>(active_->kind), static_cast<int32_t>(active_->column), active_->index},
                              active_->current);
}

void QorPresetManager::endPresetLoad()
{
    if (!historyBusy_)
        ring_.endPresetLoad({static_cast<int32_t>(active_->kind), static_cast<int32_t>(active_->column), active_->index});
}

// A selection without an entry index (after a paste or a chunk restore) cannot be loaded
// again; the record kept in the history stands in for it.
void QorPresetManager::selectFromHistory(int32_t kind, int32_t column, int32_t index,
                                         const QorPresetRecord* record)
{
    if (static_cast<uint32_t>(kind) != active_->kind)
    {
        active_->kind = static_cast<uint32_t>(kind);
        if (active_->kind == kQorUserDirectory)
            rescanUserPresets();
    }
    active_->column = static_cast<uint32_t>(column);
    if (index >= 0)
    {
        selectPreset(index);
        return;
    }
    active_->index = -1;
    if (record != nullptr)
        active_->current = active_->reference = *record;
}

// The current record follows what is applied, so that the modified mark, a saved preset and
// the host chunk hold what the user hears after an undo or redo.
void QorPresetManager::applyFromHistory(const QorPresetRecord& record)
{
    applyRecord(&record);
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        if ((product_.parameterFlags(i) & kQorStoredInPresets) != 0)
            active_->current.values[i] = record.values[i];
    updateModified();
}

void QorPresetManager::undo()
{
    historyBusy_ = 1;
    const QorUndoEntry* e = ring_.takeUndo();
    if (e != nullptr)
    {
        if (e->isPresetLoad)
            selectFromHistory(e->beforeKind, e->beforeColumn, e->beforeIndex, &e->before);
        applyFromHistory(e->before);
    }
    historyBusy_ = 0;
    // The values came back while the mark still described the step undone.
    if (e != nullptr)
        announceRefresh();
}

void QorPresetManager::redo()
{
    historyBusy_ = 1;
    const QorUndoEntry* e = ring_.takeRedo();
    if (e != nullptr)
    {
        if (!e->isPresetLoad)
            applyFromHistory(e->after);
        else if (e->afterKind >= 0)
            selectFromHistory(e->afterKind, e->afterColumn, e->afterIndex, nullptr);
    }
    historyBusy_ = 0;
    if (e != nullptr)
        announceRefresh();
}

void QorPresetManager::copyToClipboard()
{
    clipboardRecord_ = active_->current;
    char name[32] = "clipboard ";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr)
        std::strftime(name + 10, sizeof name - 10, "%H:%M:%S", &local);
    clipboardRecord_.setName(name);
    // A failed write leaves the stored value as it was; there is nothing to tell the user.
    QorGlobalSettings::setClipboardPreset(serializePreset(clipboardRecord_));
}

void QorPresetManager::pasteFromClipboard()
{
    std::vector<uint8_t> bytes;
    if (QorGlobalSettings::getClipboardPreset(bytes) == 0 &&
        QorPresetClipboard::parse(bytes.data(), bytes.size(), clipboardRecord_) !=
            QorPresetClipboard::Result::Ignored)
    {
        putOnSteps(clipboardRecord_);
        active_->current = active_->reference = clipboardRecord_;
        active_->modified = 0;
        applyRecord(&active_->current);
        active_->index = -1;
    }
    announceRefresh();
}

void QorPresetManager::savePresetDialog()
{
    if (saveDialogOpen_)
        return;
    std::string name = active_->current.name;
    if (name.empty())
        name = "current";
    std::replace(name.begin(), name.end(), '/', '-'); // a name is no path
    const QorSaveDialog::Request request{"Save preset", userFolder(),
                                         QorUserPresetFolder::withSingleExtension(name),
                                         "Qor Preset", "qor"};
    saveDialogOpen_ = true;
    // The answer comes from the editor's idle; the manager abandons the dialog when it goes.
    QorSaveDialog::start(request, this, [this](bool chosen, const std::string& path) {
        saveDialogOpen_ = false;
        if (chosen)
        {
            savePresetAs(path);
            return;
        }
        // Presets may have been added outside the plug-in while the dialog was open.
        rescanUserPresets();
        announceRefresh();
    });
}

void QorPresetManager::closeDialogs()
{
    QorProcessRunner::abandon(this);
    saveDialogOpen_ = false;
}

bool QorPresetManager::savePresetAs(const std::string& chosen)
{
    const std::string path = QorUserPresetFolder::withSingleExtension(chosen);
    // The name inside the file is the file's own, as far as a record holds it.
    const std::string stem = std::filesystem::path(path).filename().string();
    QorPresetRecord saved = active_->current;
    saved.setName(stem.substr(0, stem.size() - std::strlen(QorUserPresetFolder::kExtension)).c_str());
    std::string error;
    const std::vector<uint8_t> bytes = serializePreset(saved);
    // Written beside the old file and renamed over it, so a failed save keeps the old preset.
    const bool ok = QorAtomicFile::write(path, bytes.data(), bytes.size(), error);
    if (!ok)
        QorMessageBox::show("Could not save the preset (" + error + ")", path);
    rescanUserPresets();
    if (ok)
    {
        active_->current = active_->reference = saved;
        active_->modified = 0;
        loadError_.clear();
        selectSavedFile(path);
    }
    announceRefresh();
    return ok;
}

void QorPresetManager::selectSavedFile(const std::string& path)
{
    std::error_code failed;
    const std::filesystem::path file = std::filesystem::weakly_canonical(path, failed);
    const std::filesystem::path root = std::filesystem::weakly_canonical(userFolder(), failed);
    if (failed || userFolder().empty())
        return;
    const std::filesystem::path parent = file.parent_path();
    const std::string stem = file.stem().string();
    const QorPresetDirectory* dir = directory(kQorUserDirectory);
    if (dir == nullptr)
        return;
    // A file in the main folder is found under "All", one in a sub-folder in that folder's column;
    // one saved elsewhere is in no list, and the place stays as it was.
    uint32_t column = 0;
    if (parent != root)
    {
        if (parent.parent_path() != root)
            return;
        column = dir->columnCount();
        for (uint32_t c = 1; c < dir->columnCount(); ++c)
            if (const QorPresetColumn* col = dir->column(c); col != nullptr && col->name() == parent.filename().string())
                column = c;
        if (column == dir->columnCount())
            return;
    }
    for (uint32_t i = 0; i < dir->entryCount(column); ++i)
    {
        const QorPresetEntry* e = dir->entry(column, i);
        if (e != nullptr && e->fileName == stem && (column > 0 || e->folderColumn == 0))
        {
            active_->kind = kQorUserDirectory;
            active_->column = column;
            active_->index = static_cast<int32_t>(i);
            return;
        }
    }
}

void QorPresetManager::renameCurrent(const std::string& name)
{
    active_->current.setName(name.c_str());
    updateModified();
    announceRefresh();
}

void QorPresetManager::openUserFolder(std::function<void()> onFailure)
{
    const std::string folder = userFolder();
    QorShell::open(folder, this, [folder, onFailure = std::move(onFailure)](bool opened) {
        if (opened)
            return;
        QorMessageBox::show("Could not open user's preset folder", folder);
        if (onFailure)
            onFailure();
    });
}
