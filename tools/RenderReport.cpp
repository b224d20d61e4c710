#include "tools/RenderReport.h"

#include "vellaCor/vellaCorParameters.h"

#include <cmath>

namespace
{
// JSON has no -inf: silence is reported as null.
nlohmann::json dbValue(double linear)
{
    const double db = toDbfs(linear);
    return std::isfinite(db) ? nlohmann::json(db) : nlohmann::json(nullptr);
}

// The meter value (fraction reduced) as a positive number of dB taken off.
nlohmann::json reductionDb(double meter)
{
    const double db = -toDbfs(1.0 - meter);
    return std::isfinite(db) ? nlohmann::json(db) : nlohmann::json(nullptr);
}

nlohmann::json levels(const std::vector<ChannelLevels>& channels)
{
    nlohmann::json list = nlohmann::json::array();
    for (const ChannelLevels& c : channels)
        list.push_back({{"peak", c.peak}, {"peak_dbfs", dbValue(c.peak)}, {"rms", c.rms}, {"rms_dbfs", dbValue(c.rms)}});
    return list;
}
} // namespace

nlohmann::json makeRenderReport(const RenderSettings& settings, const RenderResult& result, double sampleRate)
{
    const size_t frames = result.frames;
    using namespace vellaCorParameters;
    nlohmann::json parameters = nlohmann::json::object();
    for (uint32_t i = 0; i < 12; ++i)
        if (getParameterFlags(i) & kHostParameter)
            parameters[getParameterName(i)] = {{"normalised", settings.values[i]},
                                               {"display", getParameterDisplay(i, settings.values[i])}};
    const double duration = double(frames) / sampleRate;
    return {
        {"preset", {{"name", settings.presetName}, {"source", settings.source}}},
        {"settings", parameters},
        {"sample_rate", sampleRate},
        {"channels", result.outputLevels.size()},
        {"frames", frames},
        {"duration_seconds", duration},
        {"block_size", result.blockSize},
        {"input", levels(result.inputLevels)},
        {"output", levels(result.outputLevels)},
        {"gain_reduction",
         {{"end", result.meterEnd},
          {"max", result.meterMax},
          {"mean", result.meterMean},
          {"max_reduction_db", reductionDb(result.meterMax)},
          {"mean_reduction_db", reductionDb(result.meterMean)}}},
        {"processing_seconds", result.processingSeconds},
        {"speed_x_realtime", result.processingSeconds > 0 ? duration / result.processingSeconds : 0.0},
    };
}

std::string jsonText(const nlohmann::json& json)
{
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}
