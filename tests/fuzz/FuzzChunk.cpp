// The host chunk restore on arbitrary bytes: no read beyond them, the restored values lie in
// 0..1, and the chunk the instance then gives restores to the same preset.
#include "QORLIB/QorMasterController.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "vellaCor/vellaCorController.h"
#include "vellaCor/vellaCorFactoryPresets.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
class Bridge : public QorMasterController
{
public:
    void parameterChanged(int32_t index, double value) override
    {
        if (index >= 0 && index < 12 && !(value >= 0.0 && value <= 1.0))
            std::abort();
    }
    int setGlobalSetting(int32_t, double) override { return 0; }
    int getGlobalSetting(int32_t, double&) override { return 1; }
    bool sendMessageToProcessor(const void*, int64_t) override { return false; }
    QorPresetManager* getPresetManager() override { return manager; }
    QorBaseParametersController* getController() override { return nullptr; }
    void* getEditorFrame() override { return nullptr; }
    QorPresetManager* manager = nullptr;
};

struct Instance
{
    Bridge bridge;
    // Left alive at exit on purpose: its destructor would write settings.
    QorPresetManager* manager = new QorPresetManager(&bridge, vellaCorFactoryPresets::presetProduct());
    vellaCorController controller{&bridge};
    Instance() { bridge.manager = manager; }
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
    if (size > 0xFFFFFFFFu)
        return 0;
    instance->controller.setChunk(data, static_cast<uint32_t>(size), nullptr);
    const QorPresetRecord restored = instance->manager->current();
    for (float v : restored.values)
        if (!(v >= 0.0f && v <= 1.0f))
            std::abort();

    void* chunk = nullptr;
    const uint32_t length = instance->controller.getChunk(&chunk);
    if (length == 0 || chunk == nullptr)
        std::abort();
    const std::vector<uint8_t> copy(static_cast<uint8_t*>(chunk), static_cast<uint8_t*>(chunk) + length);
    instance->controller.setChunk(copy.data(), length, nullptr);
    // The chunk carries the name and the stored parameters; other slots are not saved.
    const QorPresetRecord& again = instance->manager->current();
    if (std::memcmp(again.name, restored.name, sizeof restored.name) != 0)
        std::abort();
    for (int i : {0, 2, 3, 4, 5, 6, 7})
        if (again.values[i] != restored.values[i])
            std::abort();
    return 0;
}
