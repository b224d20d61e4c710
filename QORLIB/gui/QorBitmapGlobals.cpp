#include "QORLIB/gui/QorBitmapGlobals.h"

#include "QORLIB/gui/CQorBitmapWrapper.h"

#include <array>
#include <memory>

namespace QorBitmapGlobals
{
namespace
{
constexpr std::array<int32_t, 12> kIds = {kPanel,     kModeSwitch,      kAttackTrim, kValveTrim, kMeterLit,   kMeterUnlit,
                                          kCompressionKnob, kTimeKnob, kOutputKnob, kRatioKnob, kAboutPlate, kDesignerLogo};

struct Holders
{
    std::array<std::unique_ptr<Qorwerk::CQorBitmapWrapper>, kIds.size()> wrappers;
    Holders()
    {
        for (size_t i = 0; i < kIds.size(); ++i)
            wrappers[i] = std::make_unique<Qorwerk::CQorBitmapWrapper>(kIds[i]);
    }
};
} // namespace

QorBitmap* get(int32_t resourceId)
{
    static Holders holders;
    for (size_t i = 0; i < kIds.size(); ++i)
        if (kIds[i] == resourceId)
            return holders.wrappers[i].get();
    return nullptr;
}
} // namespace QorBitmapGlobals
