#pragma once

// A small lilv host that times any LV2 plug-in: the features that peers insist on (URID map and
// unmap, options with the sample rate and block lengths, bounded block length), every audio input
// fed (side-chain inputs too), atom ports given empty sequences, control values set by symbol.

#include <lilv/lilv.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <memory>
#include <string>
#include <vector>

class Lv2BenchHost
{
public:
    struct Result
    {
        double minNsPerFrame = 0.0, medianNsPerFrame = 0.0;
        double reductionDb = 0.0; // mean over the blocks of the last timed pass
    };

    // How a plug-in reports its gain reduction on an output control port.
    enum class Meter
    {
        Fraction, // 1 - gain (ours)
        Gain,     // linear gain, 1 = none
        GainDb,   // gain in dB, negative when reducing
        ReductionDb
    };

    Lv2BenchHost(double rate, int blockLength);
    ~Lv2BenchHost();
    Lv2BenchHost(const Lv2BenchHost&) = delete;
    Lv2BenchHost& operator=(const Lv2BenchHost&) = delete;

    void loadBundle(const std::string& path);
    // Instantiates the plug-in; throws std::runtime_error with the reason on failure.
    void instantiate(const std::string& uri);
    void set(const std::string& symbol, float value);
    int audioInputs() const { return int(audioIn_.size()); }

    // One untimed pass over the channels, then `passes` timed ones; the meter port is read after
    // every block of the last pass.
    Result run(const std::vector<std::vector<float>>& channels, int passes, const std::string& meterSymbol,
               Meter meter);

private:
    static LV2_URID map(LV2_URID_Map_Handle handle, const char* uri);
    static const char* unmap(LV2_URID_Unmap_Handle handle, LV2_URID urid);
    void resetAtoms();
    double processPass(const std::vector<std::vector<float>>& channels, const float* meter, Meter kind,
                       double* reductionDb);

    double rate_;
    float rateOption_;
    int32_t block_;
    LilvWorld* world_;
    const LilvPlugin* plugin_ = nullptr;
    LilvInstance* instance_ = nullptr;
    std::vector<std::string> uris_;
    LV2_URID_Map map_;
    LV2_URID_Unmap unmap_;
    std::vector<LV2_Options_Option> options_;
    std::vector<LV2_Feature> features_;
    std::vector<float> controls_;
    std::vector<std::string> symbols_;
    std::vector<uint32_t> audioIn_, audioOut_, atomIn_, atomOut_;
    std::vector<std::vector<float>> outputs_;
    std::vector<std::vector<uint64_t>> atoms_; // 8-byte aligned atom buffers
};
