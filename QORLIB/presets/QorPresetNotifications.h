#pragma once

#include <cstdint>

// Notification ids that travel on the set-parameter path beside the parameter values.
inline constexpr int32_t kEditorStateNotify = 29; // the editor state word after a chunk restore
inline constexpr int32_t kPresetSavedNotify = 54; // the current preset counts as saved
inline constexpr int32_t kRefreshPresetDisplays = 69;
inline constexpr int32_t kPresetLoadBegin = 70;
inline constexpr int32_t kPresetLoadEnd = 71;
// The editor's own announcements: the preset menu opens (the product area grows to hold it) and
// closes, the configuration menu opens and closes, the about box is shown and hidden.
inline constexpr int32_t kPresetMenuOpened = 89;
inline constexpr int32_t kPresetMenuClosed = 90;
inline constexpr int32_t kConfigMenuOpened = 91;
inline constexpr int32_t kConfigMenuClosed = 92;
inline constexpr int32_t kShowInfo = 93;
inline constexpr int32_t kHideInfo = 94;
