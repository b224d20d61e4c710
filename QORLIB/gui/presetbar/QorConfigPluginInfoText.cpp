#include "QORLIB/gui/presetbar/QorConfigPluginInfoText.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/gui/presetbar/PresetBarConfigRow.h"
#include "vellaCor/vellaCorIdentity.h"

#include <cstdio>
#include <cstring>

QorConfigPluginInfoText::QorConfigPluginInfoText(const QorRect& rect, const QorPluginFormat& format)
    : QorCustomControl(rect, kTag), line_(versionLine(format))
{
    value_ = 0.0;
}

std::string QorConfigPluginInfoText::versionLine(const QorPluginFormat& format)
{
    char version[64];
    std::snprintf(version, sizeof version, "v.%s", vellaCorIdentity::kVersion);
    std::string line = version;
    line += " (sh.";
    line += kShellVersion;
    line += ")";
    // The build template's date and time digits give way to the stamp of the release build.
    std::string build = " build:MMDDHHMM";
    const size_t stamp = std::strlen(kBuildStamp);
    build.replace(build.size() - stamp, stamp, kBuildStamp);
    line += build;
    line += format.tag;
    line += ".";
    line += QorPluginFormats::kMachine;
    return line;
}

void QorConfigPluginInfoText::draw(QorDrawContext& context)
{
    PresetBarConfigRow::drawBand(context, rect_, "Plugin's version:");
    context.setFont(QorSharedFonts::arial(12));
    context.setFontColor(PresetBarColours::kTextBright);
    // The line is wider than half the row; it takes what the label leaves.
    const QorRect text{rect_.left + 130, rect_.top, rect_.right - PresetBarConfigRow::kPadding, rect_.bottom};
    context.drawString(line_.c_str(), text, QorDrawContext::kAlignRight, true);
}

int32_t QorConfigPluginInfoText::onMouseDown(const QorPoint&, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    value_ = 1.0;
    valueChanged();
    value_ = 0.0;
    return kQorMouseHandledFinal;
}
