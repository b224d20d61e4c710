#pragma once

#include "QORLIB/gui/toolkit/Timer.h"

#include <vector>

class QorMasterGraphicalEngine;

namespace Qorwerk
{

// One 33 ms timer for every open editor of the process: each tick runs the engines' idle in
// the order they joined.
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

private:
    IdleUpdate_Qor_Handler();
    std::vector<QorMasterGraphicalEngine*> engines_;
    qortk::Timer timer_;
};

} // namespace Qorwerk
