#pragma once

#include "QORLIB/gui/presetbar/PresetBarConfigMenu.h"
#include "QORLIB/gui/presetbar/PresetBarPresetMenu.h"
#include "QORLIB/platform/QorMessageBox.h"
#include "QORLIB/platform/QorShell.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tests/QORLIB/gui/presetbar/MenuTestOwner.h"
#include "tests/QORLIB/presets/PresetTestSupport.h"
#include "tests/QORLIB/presets/RecordingHost.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

// A real preset manager with a private user folder, and the strip editor open over an
// offscreen frame. Shell opens and message boxes are recorded, never shown.
struct MenuFixture : testing::Test
{
    static constexpr float kValues[7] = {1.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.15f, 0.5f};

    qortest::UserHome home;
    qortest::RecordingHost host;
    std::unique_ptr<QorPresetManager> manager;
    std::unique_ptr<MenuTestOwner> owner;
    std::vector<std::string> opened;
    std::vector<std::string> messages;
    bool shellSucceeds = true;

    MenuFixture()
    {
        QorShell::setHandler([this](const std::string& target) {
            opened.push_back(target);
            return shellSucceeds;
        });
        QorMessageBox::setHandler([this](const std::string& text, const std::string& caption) {
            messages.push_back(caption + "|" + text);
        });
        QorGlobalSettings::hintsFlag() = 1;
    }
    ~MenuFixture() override
    {
        owner.reset();
        manager.reset();
        QorShell::setHandler({});
        QorMessageBox::setHandler({});
        QorGlobalSettings::hintsFlag() = 1;
    }

    void create()
    {
        manager = std::make_unique<QorPresetManager>(&host, vellaCorFactoryPresets::presetProduct());
        host.manager = manager.get();
        owner = std::make_unique<MenuTestOwner>();
        owner->setManager(manager.get());
        owner->open(MenuTestOwner::kWidth, MenuTestOwner::kHeight);
    }
    void writePreset(const std::filesystem::path& relative)
    {
        qortest::writeFile(home.presetFolder() / relative, qortest::onePreset("stored", kValues));
    }
    PresetBarPresetMenu& presetMenu() { return *owner->presetMenu(); }
    PresetBarConfigMenu& configMenu() { return *owner->configMenu(); }
    bool hostSawLoad() const
    {
        const auto indices = host.indices();
        return std::find(indices.begin(), indices.end(), 70) != indices.end();
    }
};
