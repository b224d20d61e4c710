#include "vellaCor/vellaCorController.h"

#include "QORLIB/QorMasterController.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorPresetNotifications.h"

#include <cstring>

void vellaCorController::parameterChangedNotification(int32_t, double) {}

uint32_t vellaCorController::getChunk(void** data)
{
    QorPresetManager* manager = bridge_ != nullptr ? bridge_->getPresetManager() : nullptr;
    if (manager == nullptr || manager->chunkBuffer() == nullptr || data == nullptr)
        return 0;
    uint8_t* buffer = manager->chunkBuffer();
    const uint32_t capacity = manager->chunkBufferSize();
    std::memset(buffer, 0, capacity);
    const std::vector<uint8_t> body = manager->serializeBank();
    if (body.empty() || body.size() > capacity - kPrefixSize)
        return 0;
    for (int i = 0; i < 4; ++i)
        buffer[i] = static_cast<uint8_t>(kChunkVersion >> (8 * i));
    std::memcpy(buffer + 4, "BRXK", 4);
    std::memcpy(buffer + kPrefixSize, body.data(), body.size());
    *data = buffer;
    return static_cast<uint32_t>(body.size()) + kPrefixSize;
}

void vellaCorController::setChunk(const void* data, uint32_t length, const void*)
{
    QorPresetManager* manager = bridge_ != nullptr ? bridge_->getPresetManager() : nullptr;
    if (manager == nullptr)
        return;
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (manager->host() != nullptr && bytes != nullptr && length >= kPrefixSize &&
        (std::memcmp(bytes + 4, "BRXK", 4) == 0 || std::memcmp(bytes + 4, "KXRB", 4) == 0))
    {
        manager->restoreBank(bytes + kPrefixSize, length - kPrefixSize);
        bridge_->parameterChanged(kEditorStateNotify, static_cast<double>(manager->editorState()));
        bridge_->parameterChanged(QorGlobalSettings::kZoomSetting, manager->zoomFactor());
    }
    for (int32_t i = 0; i < QorPresetRecord::kNumValues; ++i)
        bridge_->parameterChanged(i, manager->current().values[i]);
}

bool vellaCorController::receiveMessage(const void*, int32_t) { return true; }

void vellaCorController::secondNotification() {}
