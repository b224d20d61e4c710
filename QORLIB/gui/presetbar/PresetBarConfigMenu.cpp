#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"

#include "QORLIB/gui/QorViewContainer.h"
#include "QORLIB/gui/presetbar/QorConfigMenu2waySwitch.h"
#include "QORLIB/gui/presetbar/QorConfigMenuExitButton.h"
#include "QORLIB/gui/presetbar/QorConfigMenuGroupSwitch.h"
#include "QORLIB/gui/presetbar/QorConfigMenuKickButton.h"
#include "QORLIB/gui/presetbar/QorConfigPluginInfoText.h"
#include "QORLIB/gui/presetbar/QorPresetBarEditor.h"
#include "QORLIB/gui/presetbar/QorUserManual.h"
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorProcessRunner.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "vellaCor/vellaCorParameters.h"

#include <sys/stat.h>

namespace
{
// A web address or a file that is there: when the opener then fails, nothing is set up to
// open that kind of document.
bool documentExists(const std::string& target)
{
    if (target.find("://") != std::string::npos)
        return true;
    struct stat st{};
    return !target.empty() && ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool endsWith(const std::string& text, const char* tail)
{
    const std::string t = tail;
    return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}
} // namespace

PresetBarConfigMenu::PresetBarConfigMenu(QorPresetBarEditor& owner) : owner_(owner) {}

PresetBarConfigMenu::~PresetBarConfigMenu() { QorProcessRunner::abandon(this); }

void PresetBarConfigMenu::build(QorViewContainer* overlay)
{
    clear();
    overlay_ = overlay;
    if (!overlay_)
        return;
    page_ = 0;
    pageSwitching_ = false;
    pageSwitch_ = new QorConfigMenuGroupSwitch({});
    overlay_->addControl(pageSwitch_);
    exit_ = new QorConfigMenuExitButton({});
    overlay_->addControl(exit_);
    manual_ = new QorConfigMenuKickButton({});
    overlay_->addControl(manual_);
    hints_ = new QorConfigMenu2waySwitch({});
    overlay_->addControl(hints_);
    version_ = new QorConfigPluginInfoText({}, owner_.editorFormat());
    overlay_->addControl(version_);
    layout(overlay_->getRect());
}

void PresetBarConfigMenu::layout(const QorRect& rect)
{
    full_ = rect;
    if (!pageSwitch_)
        return;
    const double w = rect.width();
    const double h = rect.height();
    const double left = w / 2 - 200;
    const double right = w / 2 + 200;
    pageSwitch_->setViewSize({0, 1, w, 29});
    manual_->setViewSize({left, 51, right, 79});
    hints_->setViewSize({left, 99, right, 127});
    version_->setViewSize({left, 147, right, 175});
    exit_->setViewSize({0, 176, w, h});
}

void PresetBarConfigMenu::valueChanged(int32_t tag, double value)
{
    if (!pageSwitch_)
        return;
    switch (tag)
    {
    case QorConfigMenuKickButton::kTag:
        if (value > 0.5)
            openManual();
        break;
    case QorConfigMenu2waySwitch::kTag:
    {
        const int hints = vellaCorParameters::truncToInt(value + 0.5);
        QorGlobalSettings::hintsFlag() = hints;
        owner_.showHints(hints != 0);
        break;
    }
    case QorConfigMenuGroupSwitch::kTag:
        pageSwitching_ = true;
        owner_.announce(vellaCorParameters::truncToInt(value + 0.5) != 0 ? kShowInfo
                                                                         : kHideInfo,
                        1.0);
        break;
    default:
        break;
    }
}

void PresetBarConfigMenu::openManual()
{
    const std::string path = QorUserManual::path();
    if (exit_)
        exit_->setNote("");
    // The opener's answer comes from the idle; clear() forgets it when the menu goes.
    QorShell::open(path, this, [this, path](bool opened) {
        if (opened)
            return;
        const bool exists = documentExists(path);
        if (exists)
            QorMessageBox::show(noReaderText(path), kNoReaderCaption);
        else
            QorMessageBox::show(kFailedText, "");
        if (exit_)
            exit_->setNote(exists ? std::string(kNoReaderCaption) + ": " + noReaderText(path)
                                  : path.empty() ? std::string(kNoManualNote)
                                                 : std::string(kFailedText) + ": " + path);
    });
}

std::string PresetBarConfigMenu::noReaderText(const std::string& path)
{
    if (path.find("://") != std::string::npos || endsWith(path, ".html") || endsWith(path, ".htm"))
        return "Make sure a web browser is installed";
    if (endsWith(path, ".pdf") || endsWith(path, ".PDF"))
        return "Make sure a PDF reader is installed";
    return "Make sure an application that opens this file is installed";
}

void PresetBarConfigMenu::notification(int32_t id, double value)
{
    if (!pageSwitch_)
        return;
    switch (id)
    {
    case QorGlobalSettings::kHintsSetting:
        hints_->setValue(value);
        hints_->invalid();
        owner_.showHints(value > 0.5);
        break;
    case kShowInfo:
        showPage(1);
        break;
    case kHideInfo:
        showPage(0);
        break;
    default:
        break;
    }
}

// Page 1 leaves only the switch row over the product editor. The overlay keeps its place.
void PresetBarConfigMenu::showPage(int32_t page)
{
    page_ = page;
    pageSwitch_->setValue(page);
    pageSwitch_->invalid();
    if (overlay_)
    {
        const QorRect now = overlay_->getRect();
        const QorRect size = currentRect();
        overlay_->setViewSize({now.left, now.top, now.left + size.width(), now.top + size.height()});
    }
}

bool PresetBarConfigMenu::isPageSwitching() const { return pageSwitching_; }

void PresetBarConfigMenu::clearPageSwitching() { pageSwitching_ = false; }

void PresetBarConfigMenu::setHintsSwitch(double value)
{
    if (!hints_)
        return;
    hints_->setValue(value);
    hints_->invalid();
}

QorRect PresetBarConfigMenu::currentRect() const
{
    if (page_ == 1)
        return {full_.left, full_.top, full_.right, full_.top + kCollapsedHeight};
    return full_;
}

void PresetBarConfigMenu::clear()
{
    QorProcessRunner::abandon(this);
    overlay_ = nullptr;
    pageSwitch_ = nullptr;
    exit_ = nullptr;
    manual_ = nullptr;
    hints_ = nullptr;
    version_ = nullptr;
}
