#pragma once

#include <cstdint>

// Notification ids that travel on the set-parameter path beside the parameter values.
inline constexpr int32_t kEditorStateNotify = 29; // the editor state word after a chunk restore
inline constexpr int32_t kPresetSavedNotify = 54; // the current preset counts as saved
inline constexpr int32_t kRefreshPresetDisplays = 69;
inline constexpr int32_t kPresetLoadBegin = 70;
inline constexpr int32_t kPresetLoadEnd = 71;
