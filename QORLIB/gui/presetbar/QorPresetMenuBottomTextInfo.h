#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <string>

class QorPresetManager;

// The line under the lists that says where the shown presets live: a title and a detail (also
// the hint). In "My presets" it is the selected file's path, and a press opens the folder. When
// the selected preset could not be loaded, the title says why.
class QorPresetMenuBottomTextInfo : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 78;
    static constexpr const char* kFactoryTitle = "Factory presets are integral part of the plugin";
    static constexpr const char* kFactoryDetail =
        "Factory presets are integral part of the plugin and they are NOT stored as files";
    // The desktop's own words for showing a file where it lives.
#if defined(_WIN32)
    static constexpr const char* kUserTitle = "Show file in Explorer";
#elif defined(__APPLE__)
    static constexpr const char* kUserTitle = "Show file in Finder";
#else
    static constexpr const char* kUserTitle = "Show in file manager";
#endif
    static constexpr const char* kOpenFailedTitle = "Could not open the folder";
    static constexpr const char* kNoFolderDetail = "Error while locating the preset file";

    QorPresetMenuBottomTextInfo(const QorRect& rect, const QorPresetManager* manager);

    void setSelection(uint32_t kind, uint32_t column, int32_t index);
    // The folder did not open: the title says so until the selection changes.
    void showOpenFailure();
    const std::string& title() const { return title_; }
    const std::string& detail() const { return detail_; }
    // The title says why the shown preset could not be loaded.
    bool showsProblem() const { return problem_; }
    uint32_t kind() const { return kind_; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

private:
    std::string userDetail() const;

    const QorPresetManager* manager_;
    uint32_t kind_ = 0;
    uint32_t column_ = 0;
    int32_t index_ = -1;
    std::string title_;
    std::string detail_;
    bool problem_ = false;
};
