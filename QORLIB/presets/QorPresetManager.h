#pragma once

#include "QORLIB/presets/QorPresetBank.h"
#include "QORLIB/presets/QorPresetDirectory.h"
#include "QORLIB/presets/QorPresetProduct.h"
#include "QORLIB/presets/QorPresetRecord.h"
#include "QORLIB/presets/QorSetupSlot.h"
#include "QORLIB/presets/QorUndoRing.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QorMasterController;
class QorPresetDirectories;

// The current preset of one plug-in instance: setups A and B, the undo ring, the clipboard,
// the program bank of the host chunk and the position in the process-wide directories.
// Values reach the parameters through the host interface: 70, the stored values, 71.
// Display refreshes are announced to the host interface as 69. Main thread only.
class QorPresetManager
{
public:
    static constexpr uint32_t kChunkBufferSize = 24169;
    static constexpr int32_t kParameterCount = 12; // highest index accepted by change reports
    static constexpr const char* kLoadErrorName = "error loading preset";

    struct DisplayText
    {
        std::string name;   // the current record's name, " *" appended when modified
        std::string number; // "00: " .. "09: ", "10: " ..., or "CP:" after a paste or restore
    };

    QorPresetManager(QorMasterController* host, const QorPresetProduct& product);
    ~QorPresetManager();
    QorPresetManager(const QorPresetManager&) = delete;
    QorPresetManager& operator=(const QorPresetManager&) = delete;

    // Loading and applying
    void selectPreset(int32_t entryIndex);
    void nextPreset();
    void previousPreset();
    void loadEntry(uint32_t kind, uint32_t column, int32_t entryIndex, QorPresetRecord* record,
                   bool keep);
    bool readEntryValues(uint32_t kind, uint32_t column, int32_t entryIndex,
                         double values[QorPresetRecord::kNumValues]);
    void applyRecord(const QorPresetRecord* record);
    // A user or host edit of a stored parameter: undo step, record, modified mark.
    void parameterChanged(int32_t index, double value);

    // Directories
    const QorPresetDirectory* directory(uint32_t kind) const;
    uint32_t entryCount(uint32_t kind, uint32_t column) const;
    bool columnName(uint32_t kind, uint32_t column, std::string& text) const;
    // The factory name or user file name of an entry; empty when absent.
    std::string entryName(uint32_t kind, uint32_t column, int32_t entryIndex) const;
    void rescanUserPresets();
    // Empty when there is no usable user folder.
    std::string userFolder() const;

    // Zoom, editor state, display
    void setZoom(double factor);
    double zoomFactor() const;
    int32_t zoomPercent() const { return zoomPercent_; }
    uint32_t editorState() const { return editorState_; }
    void setEditorState(uint32_t state) { editorState_ = state; }
    DisplayText displayText() const;

    // A/B setups
    void switchSetup(double value);
    void copySetup();
    bool setupAActive() const { return active_ == &setupA_; }
    const QorSetupSlot& setupA() const { return setupA_; }
    const QorSetupSlot& setupB() const { return setupB_; }
    bool setupFlag() const { return setupFlag_ != 0; }
    // Both setups as a session stored them; each modified mark follows its records, and each
    // place in the lists is kept while its entry still holds the setup's preset.
    void restoreSetups(const QorSetupSlot& a, const QorSetupSlot& b, bool aActive);

    // History
    void beginPresetLoad();
    void endPresetLoad();
    void undo();
    void redo();
    bool canUndo() const { return ring_.canUndo(); }
    bool canRedo() const { return ring_.canRedo(); }
    const QorUndoRing& undoRing() const { return ring_; }

    // Clipboard
    void copyToClipboard();
    void pasteFromClipboard();
    const QorPresetRecord& clipboardRecord() const { return clipboardRecord_; }

    // Files
    // Shows the save dialog and returns; the preset is written when the user confirms a path
    // (from the editor's idle). A second call while the dialog is up is ignored.
    void savePresetDialog();
    bool isSaveDialogOpen() const { return saveDialogOpen_; }
    // The editor is closing: the save dialog is closed unanswered and no opener's answer is
    // delivered any more.
    void closeDialogs();
    // Writes the current record to path (one ".qor" enforced) under the file's name, rescans
    // and announces 69. A saved preset becomes the current one: its name, its place in the user
    // directory when it lies there, not modified.
    bool savePresetAs(const std::string& path);
    // The current setup takes a new name (checked by the caller) and shows as modified until it
    // is saved.
    void renameCurrent(const std::string& name);
    // Why the last selectPreset loaded nothing, for the preset menu; empty after a good load.
    const std::string& loadError() const { return loadError_; }
    // Returns at once; on failure the message box is shown and onFailure runs (from the idle).
    void openUserFolder(std::function<void()> onFailure = {});
    std::vector<uint8_t> serializePreset(const QorPresetRecord& record) const;

    // Host chunk
    std::vector<uint8_t> serializeBank();
    // Restores setups A and B from a chunk body; false when it was ignored.
    bool restoreBank(const uint8_t* data, std::size_t size);
    uint8_t* chunkBuffer() { return chunkBuffer_.data(); }
    uint32_t chunkBufferSize() const { return static_cast<uint32_t>(chunkBuffer_.size()); }

    // Current state
    uint32_t kind() const { return active_->kind; }
    uint32_t column() const { return active_->column; }
    int32_t index() const { return active_->index; }
    void setKind(uint32_t kind) { active_->kind = kind; }
    void setColumn(uint32_t column) { active_->column = column; }
    QorPresetRecord& current() { return active_->current; }
    const QorPresetRecord& current() const { return active_->current; }
    const QorPresetRecord& reference() const { return active_->reference; }
    bool modified() const { return active_->modified != 0; }
    // The current record becomes the reference (it was saved); the mark is cleared.
    void markCurrentAsReference();
    const QorPresetRecord& factoryRecord(uint32_t n) const { return factoryRecords_.at(n); }
    QorPresetBank& bank() { return bank_; }
    QorMasterController* host() const { return host_; }
    const QorPresetProduct& product() const { return product_; }

private:
    void buildFactoryRecords();
    void fillRecord(uint32_t kind, uint32_t column, int32_t entryIndex,
                    const double values[QorPresetRecord::kNumValues], QorPresetRecord* record, bool keep);
    // The saved file's place in the user directory, when it lies in the user folder.
    void selectSavedFile(const std::string& path);
    void selectFromHistory(int32_t kind, int32_t column, int32_t index,
                           const QorPresetRecord* record);
    void applyFromHistory(const QorPresetRecord& record);
    void updateModified();
    void announceRefresh();
    void verifyPlace(QorSetupSlot& slot) const;
    double onStep(int32_t index, double value) const;
    void putOnSteps(QorPresetRecord& record) const;

    QorMasterController* host_;
    const QorPresetProduct& product_;
    QorPresetDirectories& directories_;
    uint8_t applying_ = 0;
    uint8_t historyBusy_ = 0;
    QorUndoRing ring_;
    QorSetupSlot setupA_;
    QorSetupSlot setupB_;
    uint8_t setupFlag_ = 1;
    QorSetupSlot* active_ = &setupA_; // the setup whose records and place are the current ones
    std::vector<uint8_t> chunkBuffer_;
    QorPresetBank bank_;
    std::vector<QorPresetRecord> factoryRecords_;
    QorPresetRecord clipboardRecord_;
    bool saveDialogOpen_ = false;
    int32_t zoomPercent_ = 100;
    uint32_t editorState_ = 0;
    std::string readError_;
    std::string loadError_;
};
