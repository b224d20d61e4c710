#pragma once

#include "QORLIB/QorMasterController.h"
#include "QORLIB/presets/QorGlobalSettings.h"
#include "QORLIB/presets/QorPresetManager.h"

#include <utility>
#include <vector>

namespace qortest
{

// Records every call of the host interface. With echo set it reports stored parameters back
// to the manager while they are being set, as the host bridge does.
class RecordingHost : public QorMasterController
{
public:
    using Call = std::pair<int32_t, double>;

    void parameterChanged(int32_t index, double value) override
    {
        calls.emplace_back(index, value);
        if (echo && manager != nullptr && index >= 0 && index < 12)
            manager->parameterChanged(index, value);
    }
    int setGlobalSetting(int32_t n, double v) override { return QorGlobalSettings::setGlobalSetting(n, v); }
    int getGlobalSetting(int32_t n, double& v) override { return QorGlobalSettings::getGlobalSetting(n, v); }
    bool sendMessageToProcessor(const void*, int64_t) override { return true; }
    QorPresetManager* getPresetManager() override { return manager; }
    QorBaseParametersController* getController() override { return nullptr; }
    void* getEditorFrame() override { return nullptr; }

    // The last value sent for index, or -1 when none was.
    double last(int32_t index) const
    {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->first == index)
                return it->second;
        return -1.0;
    }
    std::vector<int32_t> indices() const
    {
        std::vector<int32_t> out;
        for (const Call& c : calls)
            out.push_back(c.first);
        return out;
    }

    std::vector<Call> calls;
    QorPresetManager* manager = nullptr;
    bool echo = false;
};

} // namespace qortest
