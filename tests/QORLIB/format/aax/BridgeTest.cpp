// The controller-side bridge, reached with the layer linked into the test: editor-side values
// and messages on their way to the processor, and the re-bracketing of a group's echo.
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXMailbox.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_EditorLink.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_KXRB_2220_AAX_Parameters_Wrapper.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectDirectData.h"
#include "QORLIB/format/aax/sdk/AAX_IPrivateDataAccess.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tests/QORLIB/format/aax/AaxTestSupport.h"
#include "vellaCor/vellaCorEffect.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace aaxtest;

namespace
{
std::unique_ptr<AaxModule> linkedModule()
{
    return AaxModule::linked({&ACFRegisterPlugin, &ACFRegisterComponent, &ACFGetClassFactory, &ACFCanUnloadNow,
                              &ACFStartup, &ACFShutdown, &ACFGetSDKVersion});
}

// One event stream for what the editor is shown and what the host is asked to set.
struct Event
{
    char side; // 'E' editor, 'H' host set request
    std::string what;
    double value;
    bool operator==(const Event&) const = default;
};

class ProbeEditor : public Qor_AAX_EditorLink
{
public:
    explicit ProbeEditor(std::vector<Event>& events) : events_(events) {}
    void forwardParameter(int32_t index, double value) override
    {
        events_.push_back({'E', std::to_string(index), value});
    }
    void* getFrame() override { return this; }

private:
    std::vector<Event>& events_;
};

class FailingAccess : public AAX_IPrivateDataAccess
{
public:
    AAX_Result ReadPortDirect(AAX_CFieldIndex, uint32_t, uint32_t, void*) override { return AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS; }
    AAX_Result WritePortDirect(AAX_CFieldIndex, uint32_t, uint32_t, const void*) override
    {
        return AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS;
    }
};

class AaxBridge : public testing::Test
{
protected:
    void SetUp() override
    {
        host = startedHost(linkedModule());
        ASSERT_NE(host, nullptr);
        instance = makeInstance(*host, AAX_eStemFormat_Stereo);
        ASSERT_NE(instance, nullptr);
        auto* wrapper = dynamic_cast<Qor_KXRB_2220_AAX_Parameters_Wrapper*>(instance->parameters());
        ASSERT_NE(wrapper, nullptr);
        bridge = &wrapper->bridge();
        instance->controller().observer = [this](const AaxAutomationEvent& e) {
            if (e.kind == AaxAutomationEvent::kSet)
                events.push_back({'H', e.id, e.value});
        };
    }
    void TearDown() override
    {
        instance.reset();
        if (host)
        {
            EXPECT_EQ(host->canUnloadNow(), 0);
        }
    }

    std::unique_ptr<AaxHost> host;
    std::unique_ptr<AaxInstance> instance;
    Qor_AAX_ControllerWrapper* bridge = nullptr;
    std::vector<Event> events;
};
} // namespace

TEST_F(AaxBridge, EditorValueReachesTheProcessorOnceWithTheLaterValue)
{
    ProbeProcessor& probe = installProbe(*instance);
    silentBlock(*instance);
    probe.clearCalls();
    bridge->parameterChanged(20, 0.25);
    bridge->parameterChanged(20, 0.75);
    bridge->parameterChanged(27, 0.5);
    silentBlock(*instance); // not before the timer has run
    EXPECT_EQ(probe.callCount, 0);
    EXPECT_EQ(bridge->currentValues[20], 0.75);

    ASSERT_EQ(instance->idle(), AAX_SUCCESS);
    EXPECT_FALSE(bridge->pendingDirty);
    EXPECT_EQ(bridge->pendingValues[20], -1.0);
    silentBlock(*instance);
    ASSERT_EQ(probe.callCount, 2);
    EXPECT_EQ(probe.calls[0].index, 20u);
    EXPECT_EQ(probe.calls[0].value, 0.75);
    EXPECT_EQ(probe.calls[1].index, 27u);
    EXPECT_EQ(field<QorAAXSharedBlock>(*instance, QorAAXContext::kSharedBlock).slots[20], -1.0f);
    silentBlock(*instance);
    instance->idle();
    silentBlock(*instance);
    EXPECT_EQ(probe.callCount, 2);
}

TEST_F(AaxBridge, FailedPrivateDataAccessLosesNothing)
{
    ProbeProcessor& probe = installProbe(*instance);
    bridge->parameterChanged(20, 0.25);
    ASSERT_TRUE(bridge->sendMessageToProcessor("abc", 3));
    FailingAccess failing;
    EXPECT_EQ(instance->directData()->TimerWakeup(&failing), AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS);
    EXPECT_TRUE(bridge->pendingDirty);
    EXPECT_EQ(bridge->outgoingLength, 3u);
    instance->idle();
    silentBlock(*instance);
    EXPECT_EQ(probe.callsFor(20), 1);
    EXPECT_EQ(probe.messages, 1);
}

TEST_F(AaxBridge, MessagesToTheProcessor)
{
    ProbeProcessor& probe = installProbe(*instance);
    const auto& mailbox = field<QorAAXMailbox>(*instance, QorAAXContext::kMailbox);
    const std::vector<uint8_t> big(1025, 7);
    EXPECT_FALSE(bridge->sendMessageToProcessor(big.data(), 1025));
    EXPECT_FALSE(bridge->sendMessageToProcessor(big.data(), -1));
    EXPECT_FALSE(bridge->sendMessageToProcessor(nullptr, 4));
    EXPECT_EQ(bridge->outgoingLength, 0u);

    ASSERT_TRUE(bridge->sendMessageToProcessor("first", 5));
    instance->idle();
    EXPECT_EQ(mailbox.toProcessorLength, 5u);
    EXPECT_EQ(bridge->outgoingLength, 0u);
    instance->idle(); // an unread message outlives a tick with nothing new
    silentBlock(*instance);
    ASSERT_EQ(probe.messages, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(probe.message), 5), "first");
    EXPECT_EQ(mailbox.toProcessorLength, 0u);

    ASSERT_TRUE(bridge->sendMessageToProcessor("older", 5));
    instance->idle();
    ASSERT_TRUE(bridge->sendMessageToProcessor(big.data(), 1024)); // replaces the unread one
    instance->idle();
    silentBlock(*instance);
    silentBlock(*instance);
    EXPECT_EQ(probe.messages, 2);
    EXPECT_EQ(probe.messageLength, 1024);
    EXPECT_EQ(probe.message[1023], 7);
}

// A parameter-list message sets the real engine's parameter.
TEST_F(AaxBridge, ParameterListMessageReachesTheEngine)
{
    uint8_t message[26] = {};
    message[8] = 9; // a parameter list
    message[9] = 1; // one record
    message[10] = 4; // "Time"
    const double one = 1.0;
    std::memcpy(message + 18, &one, 8);
    ASSERT_TRUE(bridge->sendMessageToProcessor(message, sizeof message));
    instance->idle();
    silentBlock(*instance);
    const auto& engine = field<vellaCorEffect>(*instance, QorAAXContext::kProcessor);
    EXPECT_DOUBLE_EQ(engine.timeScale(), 0.5); // 0.005 × 100^1
}

TEST_F(AaxBridge, GroupEchoIsBracketedAsOnePresetLoad)
{
    ProbeEditor editor(events);
    bridge->editor = &editor;
    const float timeBefore = bridge->presetManager->current().values[4];
    // What the editor does for a preset load of three edits: open the group, push each value,
    // and close it with the count.
    bridge->groupSuppress = bridge->groupActive = true;
    bridge->groupEditCount = bridge->echoProgress = 0;
    bridge->pushToHost(2, 0.125);
    bridge->pushToHost(4, 0.25);
    bridge->pushToHost(6, 0.5);
    bridge->groupActive = false;
    bridge->groupCount = 2; // edits + the closing 71, less two
    events.clear();

    instance->idle();
    // The editor sees one bracket; the host's own values are not asked of it again.
    const std::vector<Event> expected = {{'E', "70", 1.0}, {'E', "71", 1.0}};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(bridge->currentValues[2], 0.125);
    EXPECT_EQ(bridge->currentValues[6], 0.5);
    EXPECT_EQ(bridge->groupCount, 0);
    EXPECT_FALSE(bridge->groupSuppress);
    // The echo of a preset load is no user edit.
    EXPECT_EQ(bridge->presetManager->current().values[4], timeBefore);
    EXPECT_EQ(bridge->currentValues[4], 0.25);

    // Afterwards, touched host changes are edits again.
    instance->hostEdit(aaxtest::kTime, 0.75, true);
    EXPECT_EQ(bridge->presetManager->current().values[4], 0.75f);
}

TEST_F(AaxBridge, GroupOfOneEditEndsItsSuppression)
{
    bridge->groupSuppress = bridge->groupActive = true;
    bridge->pushToHost(4, 0.25);
    bridge->groupActive = false;
    bridge->groupCount = 0; // one edit + 71, less two
    instance->idle();
    EXPECT_FALSE(bridge->groupSuppress);
    instance->hostEdit(aaxtest::kTime, 0.75, true);
    EXPECT_EQ(bridge->presetManager->current().values[4], 0.75f);
}

TEST_F(AaxBridge, EditorSeesHostSideValuesButNotItsOwnZoom)
{
    ProbeEditor editor(events);
    bridge->parameterChanged(59, 1.5); // no editor yet: nothing to show it to
    bridge->editor = &editor;
    EXPECT_EQ(bridge->getEditorFrame(), &editor);
    events.clear();
    bridge->parameterChanged(59, 2.0);
    bridge->parameterChanged(57, 1.0);
    bridge->parameterChanged(20, 0.5);
    bridge->parameterChanged(4, 0.5); // a host parameter goes to the host, not the editor
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], (Event{'E', "57", 1.0}));
    EXPECT_EQ(events[1], (Event{'E', "20", 0.5}));
    EXPECT_EQ(events[2], (Event{'H', "4: Time", 0.5}));
    EXPECT_EQ(bridge->pendingValues[20], 0.5);
    EXPECT_TRUE(bridge->pendingDirty);
}

TEST_F(AaxBridge, ProductChunkWithoutPresetManagerIsJustTheTrailer)
{
    bridge->presetManager.reset();
    AaxChunk chunk;
    ASSERT_EQ(instance->saveChunk(aaxtest::kAll, chunk), AAX_SUCCESS);
    EXPECT_EQ(chunk.data, (std::vector<uint8_t>{0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x30, 0x00}));
    EXPECT_EQ(instance->restoreChunk(chunk), AAX_ERROR_NOT_INITIALIZED);
}

TEST_F(AaxBridge, LatencyGoesToTheHostOnlyWhenItChanges)
{
    ProbeProcessor& probe = installProbe(*instance);
    instance->idle(); // -1 before the first block: nothing to report
    EXPECT_EQ(instance->controller().latencyChanges, 0);
    probe.latency = 64;
    silentBlock(*instance);
    instance->idle();
    instance->idle();
    EXPECT_EQ(instance->controller().latency, 64);
    EXPECT_EQ(instance->controller().latencyChanges, 1);
}
