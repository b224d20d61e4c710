#pragma once

// Shared by the editor glue suites: the layer linked in (so that its objects can be reached),
// a stereo instance with a GUI object, and the editor shown in a host view container.
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_ControllerWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_EditorWrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_AAX_Parameters_Wrapper.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_Qor_AAXWrapper_GUI.h"
#include "QORLIB/format/aax/host/AaxViewContainer.h"
#include "tests/QORLIB/format/aax/AaxTestSupport.h"
#include "vellaCor/editor/vellaCorEditor.h"

#include <gtest/gtest.h>

namespace aaxtest
{
inline std::unique_ptr<AaxModule> linkedModule()
{
    return AaxModule::linked({&ACFRegisterPlugin, &ACFRegisterComponent, &ACFGetClassFactory, &ACFCanUnloadNow,
                              &ACFStartup, &ACFShutdown, &ACFGetSDKVersion});
}

class EditorGlue : public testing::Test
{
protected:
    void SetUp() override
    {
        host = startedHost(linkedModule());
        ASSERT_NE(host, nullptr);
        instance = makeInstance(*host, AAX_eStemFormat_Stereo, true);
        ASSERT_NE(instance, nullptr);
        gui = dynamic_cast<Qor_KXRB_2220_Qor_AAXWrapper_GUI*>(instance->gui());
        ASSERT_NE(gui, nullptr);
        bridge = &dynamic_cast<Qor_KXRB_2220_AAX_Parameters_Wrapper&>(*instance->parameters()).bridge();
    }
    void TearDown() override
    {
        instance.reset();
        if (host)
        {
            EXPECT_EQ(host->canUnloadNow(), 0);
        }
    }
    // Shows the editor offscreen (window id 0).
    void show(int32_t type = AAX_eViewContainer_Type_HWND)
    {
        container = std::make_unique<AaxViewContainer>(0, type);
        ASSERT_EQ(instance->setViewContainer(container.get()), AAX_SUCCESS);
    }
    Qor_AAX_EditorWrapper& editor() { return *gui->editor(); }
    vellaCorEditor& panel() { return *static_cast<vellaCorEditor*>(editor().getEditor()); }
    int hostCalls(AaxAutomationEvent::Kind kind, const std::string& id) const
    {
        int n = 0;
        for (const auto& e : eventsOf(*instance, kind))
            n += e.id == id ? 1 : 0;
        return n;
    }

    std::unique_ptr<AaxHost> host;
    std::unique_ptr<AaxInstance> instance;
    Qor_KXRB_2220_Qor_AAXWrapper_GUI* gui = nullptr;
    Qor_AAX_ControllerWrapper* bridge = nullptr;
    std::unique_ptr<AaxViewContainer> container;
};
} // namespace aaxtest
