#pragma once

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <string>
#include <vector>

namespace qortest
{

// The host's URID map and unmap, as features.
class UridMap
{
public:
    UridMap()
    {
        map.handle = this;
        map.map = [](LV2_URID_Map_Handle h, const char* uri) -> LV2_URID {
            auto* self = static_cast<UridMap*>(h);
            for (size_t i = 0; i < self->uris_.size(); ++i)
                if (self->uris_[i] == uri)
                    return LV2_URID(i + 1);
            self->uris_.emplace_back(uri);
            return LV2_URID(self->uris_.size());
        };
        unmap.handle = this;
        unmap.unmap = [](LV2_URID_Unmap_Handle h, LV2_URID id) -> const char* {
            auto* self = static_cast<UridMap*>(h);
            return id >= 1 && id <= self->uris_.size() ? self->uris_[id - 1].c_str() : nullptr;
        };
    }
    UridMap(const UridMap&) = delete;
    UridMap& operator=(const UridMap&) = delete;

    LV2_URID_Map map{};
    LV2_URID_Unmap unmap{};
    LV2_Feature mapFeature{LV2_URID__map, &map};
    LV2_Feature unmapFeature{LV2_URID__unmap, &unmap};
    const LV2_Feature* features[3] = {&mapFeature, &unmapFeature, nullptr};

private:
    std::vector<std::string> uris_;
};

} // namespace qortest
