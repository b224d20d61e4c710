#include "QORLIB/gui/IdleUpdate_Qor_Handler.h"

#include "QORLIB/gui/QorMasterGraphicalEngine.h"
#include "QORLIB/platform/QorProcessRunner.h"

#include <algorithm>

namespace Qorwerk
{

IdleUpdate_Qor_Handler& IdleUpdate_Qor_Handler::instance()
{
    static IdleUpdate_Qor_Handler handler;
    return handler;
}

IdleUpdate_Qor_Handler::IdleUpdate_Qor_Handler() : timer_(kPeriodMs, [this] { tick(); })
{
    timer_.start();
    QorProcessRunner::onStart([] { instance().wake(); });
}

void IdleUpdate_Qor_Handler::add(QorMasterGraphicalEngine* engine)
{
    engines_.push_back(engine);
    wake();
}

void IdleUpdate_Qor_Handler::wake()
{
    if (!timer_.isRunning())
        timer_.start();
}

void IdleUpdate_Qor_Handler::remove(QorMasterGraphicalEngine* engine)
{
    engines_.erase(std::remove(engines_.begin(), engines_.end(), engine), engines_.end());
}

bool IdleUpdate_Qor_Handler::contains(const QorMasterGraphicalEngine* engine) const
{
    return std::find(engines_.begin(), engines_.end(), engine) != engines_.end();
}

void IdleUpdate_Qor_Handler::tick()
{
    // The toolkit redraws through invalidation, so it has no deferred updates to deliver first.
    // Dialogs and openers the editors started report back here, never blocking the tick.
    ++ticks_;
    wanted_ = false;
    QorProcessRunner::poll();
    const auto round = engines_;
    for (QorMasterGraphicalEngine* engine : round)
        if (contains(engine))
            engine->idle();
    // Children answer through the poll above, so they keep it ticking until they have.
    if (!wanted_ && QorProcessRunner::pending() == 0)
        timer_.sleepUntilInput();
}

} // namespace Qorwerk
