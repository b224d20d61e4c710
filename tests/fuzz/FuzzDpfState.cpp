// The VST3 and CLAP plug-ins' preset state block on arbitrary bytes: no read beyond them, a
// refused block changes nothing, and an accepted one saves to a block that restores the same.
#include "QORLIB/format/dpf/Qor_DPF_State.h"
#include "QORLIB/presets/QorLocalController.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
class Host : public QorLocalController
{
public:
    void parameterChanged(int32_t, double) override {}
};

struct Instance
{
    Host host;
    // Left alive at exit on purpose: its destructor would write settings.
    QorPresetManager* manager = new QorPresetManager(&host, vellaCorFactoryPresets::presetProduct());
    Instance() { host.setManager(manager); }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    enterFuzzSandbox();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzSandbox();
    static Instance* instance = new Instance;
    QorPresetManager& m = *instance->manager;
    const std::vector<uint8_t> before = Qor_DPF::State::save(m);
    const std::vector<uint8_t> input(data, data + size); // exactly the bytes, for the sanitizers
    if (!Qor_DPF::State::restore(m, input.data(), input.size()))
    {
        if (Qor_DPF::State::save(m) != before)
            std::abort();
        return 0;
    }
    for (const QorSetupSlot* slot : {&m.setupA(), &m.setupB()})
        for (float v : slot->current.values)
            if (!(v >= 0.0f && v <= 1.0f))
                std::abort();
    const std::vector<uint8_t> saved = Qor_DPF::State::save(m);
    if (!Qor_DPF::State::restore(m, saved.data(), saved.size()) || Qor_DPF::State::save(m) != saved)
        std::abort();
    return 0;
}
