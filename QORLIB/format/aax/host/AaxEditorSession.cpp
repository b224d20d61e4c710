#include "QORLIB/format/aax/host/AaxEditorSession.h"

#include "QORLIB/format/aax/host/AaxInstance.h"
#include "QORLIB/format/aax/host/AaxPlaybackLoop.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectDirectData.h"
#include "QORLIB/format/aax/sdk/AAX_IEffectGUI.h"

#include <chrono>
#include <mutex>
#include <thread>

AaxEditorSession::AaxEditorSession(AaxInstance& instance, AaxPlaybackLoop* loop)
    : instance_(instance), loop_(loop), container_(std::make_unique<AaxViewContainer>())
{
}

AaxEditorSession::~AaxEditorSession() { close(); }

bool AaxEditorSession::open(bool withWindow, const std::string& title, std::string& error)
{
    if (open_)
        return true;
    AAX_IEffectGUI* gui = instance_.gui();
    if (gui == nullptr)
    {
        error = "the instance has no GUI object";
        return false;
    }
    AAX_Point size;
    gui->GetViewSize(&size);
    if (withWindow)
    {
        window_ = AaxHostWindow::create(int(size.horz), int(size.vert), title, &error);
        if (window_ == nullptr)
            return false;
    }
    container_ = std::make_unique<AaxViewContainer>(window_ ? window_->id() : 0);
    if (window_)
        container_->onResize = [w = window_.get()](int width, int height) { w->resize(width, height); };
    if (const AAX_Result r = instance_.setViewContainer(container_.get()); r != AAX_SUCCESS)
    {
        error = "the GUI object refused the view container (" + std::to_string(r) + ")";
        window_.reset();
        return false;
    }
    // The editor knows its size only once it is open.
    gui->GetViewSize(&size);
    if (window_)
        window_->resize(int(size.horz), int(size.vert));
    open_ = true;
    return true;
}

void AaxEditorSession::close()
{
    if (!open_)
        return;
    instance_.setViewContainer(nullptr);
    open_ = false;
    window_.reset();
}

void AaxEditorSession::tick()
{
    instance_.controller().deliverAutomation();
    {
        std::unique_lock<std::mutex> lock;
        if (loop_ != nullptr)
            lock = std::unique_lock<std::mutex>(loop_->hostLock());
        instance_.postPackets();
        if (instance_.directData() != nullptr)
            instance_.directData()->TimerWakeup(&instance_.context());
    }
    if (instance_.gui() != nullptr)
        instance_.gui()->TimerWakeup();
    if (window_)
        window_->pump();
}

void AaxEditorSession::run(const volatile std::sig_atomic_t* interrupted)
{
    using Clock = std::chrono::steady_clock;
    auto due = Clock::now();
    while (open_ && !(window_ && window_->closeRequested()) && !(interrupted != nullptr && *interrupted != 0))
    {
        tick();
        due += std::chrono::milliseconds(kTickMs);
        const auto now = Clock::now();
        if (due < now)
            due = now;
        std::this_thread::sleep_until(due);
    }
}
