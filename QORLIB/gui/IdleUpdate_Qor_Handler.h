#pragma once

#include "QORLIB/gui/toolkit/Timer.h"

#include <vector>

class QorMasterGraphicalEngine;

namespace Qorwerk
{

// One 33 ms timer for every open editor of the process: each tick runs the engines' idle in
// the order they joined. It ticks only while something needs it: an engine that still counts or
// glides calls stayAwake() from its idle; otherwise the timer sleeps until input arrives at a
// window, wake() is called (a value, an edit, a child started) or a child is still pending.
class IdleUpdate_Qor_Handler
{
public:
    static constexpr uint32_t kPeriodMs = 33;

    // Created (and its timer started) with the first engine; lives until the library goes.
    static IdleUpdate_Qor_Handler& instance();

    void add(QorMasterGraphicalEngine* engine);
    void remove(QorMasterGraphicalEngine* engine); // every occurrence
    const std::vector<QorMasterGraphicalEngine*>& engines() const { return engines_; }
    bool contains(const QorMasterGraphicalEngine* engine) const;
    // One tick: idle on every engine in the list (one that an earlier idle removed is skipped).
    void tick();

    // Ticks again from one period on, if it slept.
    void wake();
    // From an engine's idle: one more tick is needed.
    void stayAwake() { wanted_ = true; }
    bool isAwake() const { return timer_.isRunning(); }
    // Ticks run since the handler was made.
    uint64_t ticks() const { return ticks_; }

private:
    IdleUpdate_Qor_Handler();
    std::vector<QorMasterGraphicalEngine*> engines_;
    qortk::Timer timer_;
    bool wanted_ = false;
    uint64_t ticks_ = 0;
};

} // namespace Qorwerk
