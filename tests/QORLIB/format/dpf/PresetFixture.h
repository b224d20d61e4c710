#pragma once

// A preset manager with a host that keeps nothing, and a known A/B situation in it.
#include "QORLIB/presets/QorLocalController.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <memory>

namespace qortest
{

class QuietHost : public QorLocalController
{
public:
    void parameterChanged(int32_t index, double) override { last = index; }
    int32_t last = -1;
};

struct PresetFixture
{
    QuietHost host;
    std::unique_ptr<QorPresetManager> manager;

    PresetFixture() : manager(std::make_unique<QorPresetManager>(&host, vellaCorFactoryPresets::presetProduct()))
    {
        host.setManager(manager.get());
    }

    // A: "CompressHeavy1" with its time turned to 0.9 (modified); B active: "Leveller", untouched.
    void makeSetups()
    {
        QorPresetManager& m = *manager;
        m.current() = m.factoryRecord(5);
        m.markCurrentAsReference();
        m.parameterChanged(4, 0.9);
        m.switchSetup(1.0);
        m.current() = m.factoryRecord(9);
        m.markCurrentAsReference();
    }
};

} // namespace qortest
