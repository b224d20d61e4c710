#include "QORLIB/presets/QorPresetManager.h"

#include "QORLIB/QorMasterController.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorTick.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetDirectories.h"
#include "QORLIB/presets/QorPresetFile.h"
#include "QORLIB/presets/QorPresetNotifications.h"
#include "QORLIB/presets/QorUserPresetFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr uint32_t kMaxColumn = 127;
constexpr int32_t kMaxEntry = 511;

double clampUnit(double v)
{
    if (std::isnan(v))
        return 0.0;
    return std::clamp(v, 0.0, 1.0) + 0.0; // + 0.0 turns -0.0 into 0.0
}

// Resolution of the change test of the undo history.
int64_t quantize(double v) { return static_cast<int64_t>(v * 10000.0 + 0.5); }

int32_t zoomPercentOf(double factor)
{
    return static_cast<int32_t>(QorGlobalSettings::clampZoomFactor(factor) * 100.0 + 0.5);
}
} // namespace

QorPresetManager::QorPresetManager(QorMasterController* host, const QorPresetProduct& product)
    : host_(host), product_(product), directories_(QorPresetDirectories::acquire(product)),
      chunkBuffer_(kChunkBufferSize, 0), zoomPercent_(QorGlobalSettings::zoomPercent())
{
    for (float& v : setupA_.current.values)
        v = 0.5f;
    loadEntry(kQorCategoryDirectory, 0, 0, &setupA_.current, false);
    setupA_.reference = setupA_.current;
    setupA_.index = 0;
    setupB_ = setupA_;
    buildFactoryRecords();
    for (uint32_t n = 0; n < QorPresetBank::kNumPrograms && n < factoryRecords_.size(); ++n)
        bank_.programs()[n] = factoryRecords_[n];
    if (!factoryRecords_.empty())
        clipboardRecord_ = factoryRecords_[0];
    bank_.initRecord() = bank_.programs()[0];
}

QorPresetManager::~QorPresetManager()
{
    // A save dialog still up is closed; an opener's answer would find nobody.
    QorProcessRunner::abandon(this);
    QorGlobalSettings::writeProcessSettings();
    QorPresetDirectories::release();
}

void QorPresetManager::buildFactoryRecords()
{
    for (int32_t n = 0; n < product_.factoryCount; ++n)
    {
        double values[QorPresetRecord::kNumValues];
        for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
            values[i] = product_.parameterDefault(i);
        char name[QorPresetRecord::kNameSize + 1] = {}; // the bank writes at most 24 bytes
        product_.getFactoryPreset(n, values, name, nullptr);
        const std::size_t length = std::strlen(name);
        if (length > QorPresetRecord::kNameSize - 1)
            std::fprintf(stderr,
                         "\n*********************************************************\n"
                         "WARNING: preset name is too long!\n%ld chars\n***  %s ***\n"
                         "*********************************************************\n",
                         static_cast<long>(length), name);
        QorPresetRecord record;
        record.setName(name);
        for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
            record.values[i] = static_cast<float>(onStep(int32_t(i), values[i]));
        factoryRecords_.push_back(record);
    }
}

bool QorPresetManager::readEntryValues(uint32_t kind, uint32_t column, int32_t entryIndex,
                                       double values[QorPresetRecord::kNumValues])
{
    readError_ = "the preset is no longer in the list";
    if (column > kMaxColumn || entryIndex < 0 || entryIndex > kMaxEntry)
        return false;
    const QorPresetDirectory* dir = directories_.directory(kind);
    const QorPresetEntry* entry = dir != nullptr ? dir->entry(column, entryIndex) : nullptr;
    if (entry == nullptr)
        return false;
    readError_.clear();
    // Values a source does not carry keep their defaults.
    QorPresetRecord scratch;
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        values[i] = scratch.values[i] = static_cast<float>(product_.parameterDefault(i));
    if (entry->factoryIndex >= 0)
    {
        product_.getFactoryPreset(entry->factoryIndex, values, nullptr, nullptr);
        return true;
    }
    if (entry->fileName.empty())
        return false;
    std::string subFolder;
    if (entry->folderColumn > 0)
    {
        const QorPresetColumn* folder = dir->column(static_cast<uint32_t>(entry->folderColumn));
        if (folder == nullptr)
            return false;
        subFolder = folder->name();
    }
    scratch.values[0] = -1.0f; // stays negative when the file gave no value
    std::string why;
    const bool read = QorUserPresetFolder::readPresetFile(directories_.userFolder(), subFolder,
                                                          entry->fileName, scratch, product_, &why);
    if (!read || scratch.values[0] < 0.0f)
    {
        readError_ = read ? "the file holds no values" : why;
        return false;
    }
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        values[i] = scratch.values[i];
    return true;
}

void QorPresetManager::loadEntry(uint32_t kind, uint32_t column, int32_t entryIndex,
                                 QorPresetRecord* record, bool keep)
{
    if (record == nullptr)
        return;
    double values[QorPresetRecord::kNumValues];
    if (!readEntryValues(kind, column, entryIndex, values))
    {
        record->setName(kLoadErrorName);
        return;
    }
    fillRecord(kind, column, entryIndex, values, record, keep);
}

void QorPresetManager::fillRecord(uint32_t kind, uint32_t column, int32_t entryIndex,
                                  const double values[QorPresetRecord::kNumValues],
                                  QorPresetRecord* record, bool keep)
{
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
    {
        const uint32_t flags = product_.parameterFlags(i);
        if ((flags & kQorStoredInPresets) == 0)
            continue;
        if (keep && kind != kQorUserDirectory && (flags & kQorKeptOnFactoryLoad) != 0)
            continue;
        record->values[i] = static_cast<float>(onStep(int32_t(i), values[i]));
    }
    record->setName(entryName(kind, column, entryIndex).c_str());
}

void QorPresetManager::applyRecord(const QorPresetRecord* record)
{
    if (host_ == nullptr || record == nullptr)
        return;
    applying_ = 1;
    host_->parameterChanged(kPresetLoadBegin, 1.0);
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        if ((product_.parameterFlags(i) & kQorStoredInPresets) != 0)
            host_->parameterChanged(static_cast<int32_t>(i), onStep(int32_t(i), record->values[i]));
    host_->parameterChanged(kPresetLoadEnd, 1.0);
    applying_ = 0;
}

void QorPresetManager::selectPreset(int32_t entryIndex)
{
    double values[QorPresetRecord::kNumValues];
    if (!readEntryValues(active_->kind, active_->column, entryIndex, values))
    {
        // Nothing was loaded and no value changed: no undo step, and the reason for the menu.
        loadError_ = "Could not load";
        if (const std::string name = entryName(active_->kind, active_->column, entryIndex); !name.empty())
            loadError_ += " \xe2\x80\x9c" + name + "\xe2\x80\x9d";
        loadError_ += ": " + readError_;
        active_->index = entryIndex;
        active_->current.setName(kLoadErrorName);
        active_->reference = active_->current;
        active_->modified = 0;
        return;
    }
    loadError_.clear();
    beginPresetLoad();
    active_->index = entryIndex;
    fillRecord(active_->kind, active_->column, entryIndex, values, &active_->current, true);
    active_->reference = active_->current;
    active_->modified = 0;
    applyRecord(&active_->current);
    endPresetLoad();
}

// Neither wraps around; in an empty column there is nothing to step to.
void QorPresetManager::nextPreset()
{
    const int32_t count = static_cast<int32_t>(entryCount(active_->kind, active_->column));
    if (count > 0)
        selectPreset(active_->index >= count - 1 ? count - 1 : active_->index + 1);
}

void QorPresetManager::previousPreset()
{
    if (entryCount(active_->kind, active_->column) > 0)
        selectPreset(active_->index < 1 ? 0 : active_->index - 1);
}

void QorPresetManager::parameterChanged(int32_t index, double value)
{
    const double v = onStep(index, clampUnit(value));
    if (!historyBusy_ && !applying_ && index >= 0 && index <= kParameterCount)
    {
        const double old = index < QorPresetRecord::kNumValues ? active_->current.values[index] : -1.0;
        if (quantize(v) != quantize(old))
            ring_.recordChange(QorTick::now(), index, static_cast<float>(v), active_->current);
    }
    if (index < 0 || index > kParameterCount || applying_)
        return;
    if (index < QorPresetRecord::kNumValues)
    {
        active_->current.values[index] = static_cast<float>(v);
        if (active_->current.values[index] != active_->reference.values[index])
        {
            active_->modified = 1;
            return;
        }
    }
    updateModified();
}

void QorPresetManager::updateModified()
{
    // A renamed setup counts as modified until it is saved under that name.
    active_->modified = active_->current.sameValues(active_->reference) && active_->current.sameName(active_->reference) ? 0 : 1;
}

void QorPresetManager::markCurrentAsReference()
{
    active_->reference = active_->current;
    active_->modified = 0;
}

const QorPresetDirectory* QorPresetManager::directory(uint32_t kind) const
{
    return directories_.directory(kind);
}

uint32_t QorPresetManager::entryCount(uint32_t kind, uint32_t column) const
{
    const QorPresetDirectory* dir = directory(kind);
    return dir != nullptr && column <= kMaxColumn ? dir->entryCount(column) : 0;
}

bool QorPresetManager::columnName(uint32_t kind, uint32_t column, std::string& text) const
{
    const QorPresetDirectory* dir = directory(kind);
    const QorPresetColumn* col = dir != nullptr ? dir->column(column) : nullptr;
    text = col != nullptr ? col->name() : std::string();
    return col != nullptr;
}

std::string QorPresetManager::entryName(uint32_t kind, uint32_t column, int32_t entryIndex) const
{
    const QorPresetDirectory* dir = directory(kind);
    const QorPresetEntry* e =
        dir != nullptr && entryIndex >= 0 ? dir->entry(column, entryIndex) : nullptr;
    if (e == nullptr)
        return {};
    if (e->factoryIndex < 0)
        return e->fileName;
    char name[QorPresetRecord::kNameSize + 1] = {};
    product_.getFactoryPreset(e->factoryIndex, nullptr, name, nullptr);
    return name;
}

void QorPresetManager::rescanUserPresets() { directories_.rescanUserPresets(); }

std::string QorPresetManager::userFolder() const { return directories_.userFolder(); }

void QorPresetManager::setZoom(double factor)
{
    zoomPercent_ = zoomPercentOf(factor);
    QorGlobalSettings::zoomPercent() = zoomPercent_;
    QorGlobalSettings::setGlobalSetting(QorGlobalSettings::kZoomSetting,
                                        QorGlobalSettings::zoomSettingFromPercent(zoomPercent_));
}

double QorPresetManager::zoomFactor() const { return QorGlobalSettings::clampZoomFactor(zoomPercent_ * 0.01); }

QorPresetManager::DisplayText QorPresetManager::displayText() const
{
    DisplayText text;
    text.name = active_->current.name;
    if (active_->modified)
        text.name += " *";
    char number[16];
    if (active_->index == -1)
        std::snprintf(number, sizeof number, "CP:");
    else
        std::snprintf(number, sizeof number, active_->index >= 0 && active_->index <= 9 ? "0%d: " : "%d: ", active_->index);
    text.number = number;
    return text;
}

std::vector<uint8_t> QorPresetManager::serializePreset(const QorPresetRecord& record) const
{
    return QorPresetFile::write(QorPresetFile::kKindProgram, &record, 1, product_, editorState_,
                                zoomPercent_);
}

std::vector<uint8_t> QorPresetManager::serializeBank()
{
    return bank_.serialize(active_->current, product_, editorState_, zoomPercent_);
}

bool QorPresetManager::restoreBank(const uint8_t* data, std::size_t size)
{
    QorPresetBank::Restored restored;
    if (!bank_.restore(data, size, restored))
        return false;
    editorState_ = restored.editorState;
    if (restored.zoomPercent > 0)
        zoomPercent_ = zoomPercentOf(restored.zoomPercent * 0.01);
    setupA_.current = setupA_.reference = restored.selected;
    putOnSteps(setupA_.current);
    putOnSteps(setupA_.reference);
    setupA_.modified = 0;
    setupA_.index = -1;
    setupB_ = setupA_;
    active_ = &setupA_;
    setupFlag_ = 1;
    return true;
}

// Files, chunks and the bank may hold a stepped value between two steps (the bank rounds 4/6 to
// 0.6667); the preset system only ever holds and hands out the step itself.
double QorPresetManager::onStep(int32_t index, double value) const
{
    if (product_.onStep == nullptr || index < 0 || index >= int32_t(QorPresetRecord::kNumValues))
        return value;
    return product_.onStep(uint32_t(index), value);
}

void QorPresetManager::putOnSteps(QorPresetRecord& record) const
{
    for (uint32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        record.values[i] = static_cast<float>(onStep(int32_t(i), record.values[i]));
}

void QorPresetManager::announceRefresh()
{
    if (host_ != nullptr)
        host_->parameterChanged(kRefreshPresetDisplays, 1.0);
}
