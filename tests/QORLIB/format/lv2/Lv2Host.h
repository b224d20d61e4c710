#pragma once

// A minimal lilv host over the bundle in the build tree.

#include <lilv/lilv.h>

#include <map>
#include <string>
#include <vector>

namespace qortest
{

class Lv2World
{
public:
    Lv2World();
    ~Lv2World();
    Lv2World(const Lv2World&) = delete;
    Lv2World& operator=(const Lv2World&) = delete;

    LilvWorld* world() const { return world_; }
    const LilvPlugin* plugin(const char* uri) const;
    LilvNode* uri(const char* text) const { return lilv_new_uri(world_, text); }

private:
    LilvWorld* world_;
};

// One instance with its control values and audio buffers; run() processes whole signals in blocks.
class Lv2Instance
{
public:
    Lv2Instance(const Lv2World& world, const LilvPlugin* plugin, double rate,
                const LV2_Feature* const* features = nullptr);
    LilvInstance* handle() const { return instance_; }
    ~Lv2Instance();
    Lv2Instance(const Lv2Instance&) = delete;
    Lv2Instance& operator=(const Lv2Instance&) = delete;

    void set(const std::string& symbol, float value);
    float get(const std::string& symbol) const;
    // Processes the channels (one or two) in blocks of blockSize frames, returns the outputs.
    std::vector<std::vector<float>> run(const std::vector<std::vector<float>>& in, int blockSize);

private:
    const LilvPlugin* plugin_;
    LilvInstance* instance_;
    std::map<std::string, uint32_t> index_;
    std::vector<float> controls_;
    std::vector<uint32_t> audioIn_, audioOut_;
};

} // namespace qortest
