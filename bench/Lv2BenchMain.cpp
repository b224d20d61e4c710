// Times one LV2 plug-in on one benchmark signal at 48 kHz in 512-frame blocks and prints
//   ns_min=<min ns per frame> ns_median=<median ns per frame> reduction_db=<mean gain reduction>
// It fails when the plug-in reduced the gain by less than --min-reduction dB, so that nothing is
// timed doing nothing.
#include "bench/BenchSignals.h"
#include "bench/Lv2BenchHost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
void usage()
{
    std::fprintf(stderr, "usage: qor_lv2_bench --uri URI --signal sine|drums|pink --meter SYMBOL:KIND\n"
                         "         [--channels 1|2] [--set SYMBOL=VALUE]... [--bundle DIR] [--seconds S]\n"
                         "         [--passes P] [--min-reduction DB]\n"
                         "  KIND: fraction (1 - gain), gain (linear), gain-db (negative when reducing), db\n");
    std::exit(2);
}

Lv2BenchHost::Meter meterKind(const std::string& kind)
{
    if (kind == "fraction")
        return Lv2BenchHost::Meter::Fraction;
    if (kind == "gain")
        return Lv2BenchHost::Meter::Gain;
    if (kind == "gain-db")
        return Lv2BenchHost::Meter::GainDb;
    if (kind == "db")
        return Lv2BenchHost::Meter::ReductionDb;
    throw std::runtime_error("unknown meter kind '" + kind + "'");
}

std::vector<float> signal(const std::string& name, int frames)
{
    if (name == "sine")
        return qorbench::steadySine(frames);
    if (name == "drums")
        return qorbench::drumHits(frames);
    if (name == "pink")
        return qorbench::pinkNoise(frames);
    throw std::runtime_error("unknown signal '" + name + "'");
}
} // namespace

int main(int argc, char** argv)
{
    std::string uri, signalName, meter, bundle;
    std::vector<std::pair<std::string, float>> settings;
    int channels = 2, passes = 7;
    double seconds = 10.0, minReduction = 1.0;
    for (int i = 1; i < argc; ++i)
    {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            usage();
        const std::string v = argv[++i];
        if (a == "--uri")
            uri = v;
        else if (a == "--signal")
            signalName = v;
        else if (a == "--meter")
            meter = v;
        else if (a == "--bundle")
            bundle = v;
        else if (a == "--channels")
            channels = std::atoi(v.c_str());
        else if (a == "--passes")
            passes = std::atoi(v.c_str());
        else if (a == "--seconds")
            seconds = std::atof(v.c_str());
        else if (a == "--min-reduction")
            minReduction = std::atof(v.c_str());
        else if (a == "--set" && v.find('=') != std::string::npos)
            settings.push_back({v.substr(0, v.find('=')), std::strtof(v.c_str() + v.find('=') + 1, nullptr)});
        else
            usage();
    }
    const size_t colon = meter.find(':');
    if (uri.empty() || signalName.empty() || colon == std::string::npos || channels < 1 || channels > 2 ||
        passes < 1 || seconds <= 0.0)
        usage();
    try
    {
        Lv2BenchHost host(qorbench::kRate, 512);
        if (!bundle.empty())
            host.loadBundle(bundle);
        host.instantiate(uri);
        for (const auto& [symbol, value] : settings)
            host.set(symbol, value);
        const std::vector<float> s = signal(signalName, int(seconds * qorbench::kRate));
        const std::vector<std::vector<float>> input(size_t(channels), s);
        const auto r = host.run(input, passes, meter.substr(0, colon), meterKind(meter.substr(colon + 1)));
        std::printf("ns_min=%.2f ns_median=%.2f reduction_db=%.2f\n", r.minNsPerFrame, r.medianNsPerFrame,
                    r.reductionDb);
        if (!(r.reductionDb >= minReduction))
        {
            std::fprintf(stderr, "qor_lv2_bench: %s reduced the gain by only %.2f dB on %s\n", uri.c_str(),
                         r.reductionDb, signalName.c_str());
            return 1;
        }
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "qor_lv2_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
