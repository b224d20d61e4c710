#pragma once

#include "QORLIB/gui/QorCustomControl.h"
#include "QORLIB/gui/QorPluginFormat.h"

#include <string>

// "Plugin's version:" and the version line. Its tag is the configuration button's, so a press
// on it closes the menu like the empty area below.
class QorConfigPluginInfoText : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 63;
    static constexpr const char* kShellVersion = "7.2.0";
    static constexpr const char* kBuildStamp = "01111303";

    QorConfigPluginInfoText(const QorRect& rect, const QorPluginFormat& format);

    // "v.<version> (sh.<shell>) build:<stamp><format>.<machine>", e.g. "...build:01111303lv2.x64";
    // without a format only ".<machine>" follows the stamp.
    static std::string versionLine(const QorPluginFormat& format);
    const std::string& line() const { return line_; }

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

private:
    std::string line_;
};
