#pragma once

#include "QORLIB/gui/QorCustomControl.h"

#include <string>

// "Plugin's version:" and the version line. Its tag is the configuration button's, so a press
// on it closes the menu like the empty area below.
class QorConfigPluginInfoText : public QorCustomControl
{
public:
    static constexpr int32_t kTag = 63;
    static constexpr const char* kShellVersion = "7.2.0";
    static constexpr const char* kBuildStamp = "01111303";

    explicit QorConfigPluginInfoText(const QorRect& rect);

    // "v.<version> (sh.<shell>) build:<stamp>aax.x64"
    static std::string versionLine();

    void draw(QorDrawContext& context) override;
    int32_t onMouseDown(const QorPoint& where, uint32_t flags) override;

private:
    std::string line_;
};
