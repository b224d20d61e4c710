#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_PrivateData.h"

#include "QORLIB/format/aax/Qor_Wrappers/QorAAXMailbox.h"
#include "QORLIB/format/aax/Qor_Wrappers/QorAAXSharedBlock.h"
#include "QORLIB/format/aax/Qor_Wrappers/Qor_AAX_Context.h"
#include "QORLIB/format/aax/sdk/AAX_Errors.h"
#include "vellaCor/vellaCorEffect.h"

#include <cstring>
#include <new>

// The host allocates field 24 at the registered size; the processor must fit, and the host's
// blocks are aligned at least like malloc's.
static_assert(sizeof(vellaCorEffect) <= QorAAXContext::kProcessorSize);
static_assert(alignof(vellaCorEffect) <= alignof(std::max_align_t));

namespace Qor_AAX_PrivateData
{
namespace
{
uint32_t requiredSize(AAX_CFieldIndex field)
{
    switch (field)
    {
    case QorAAXContext::kSharedBlock: return sizeof(QorAAXSharedBlock);
    case QorAAXContext::kLatency: return sizeof(int32_t);
    case QorAAXContext::kLastSampleRate: return sizeof(float);
    case QorAAXContext::kProcessor: return QorAAXContext::kProcessorSize;
    case QorAAXContext::kMailbox: return sizeof(QorAAXMailbox);
    default: return 0;
    }
}
} // namespace

AAX_Result resetField(AAX_CFieldIndex field, void* data, uint32_t size)
{
    const uint32_t required = requiredSize(field);
    if (required == 0)
    {
        if (data != nullptr)
            std::memset(data, 0, size);
        return AAX_SUCCESS;
    }
    if (data == nullptr || size != required)
        return AAX_ERROR_PORT_ID_OUT_OF_RANGE;
    switch (field)
    {
    case QorAAXContext::kSharedBlock:
    {
        auto* shared = static_cast<QorAAXSharedBlock*>(data);
        for (float& slot : shared->slots)
            slot = QorAAXSharedBlock::kSlotUnset;
        new (shared->bridge) Qor_AAX_MasterAudioEffectWrapper();
        return AAX_SUCCESS;
    }
    case QorAAXContext::kLatency: *static_cast<int32_t*>(data) = -1; return AAX_SUCCESS;
    case QorAAXContext::kLastSampleRate: *static_cast<float*>(data) = QorAAXContext::kSampleRateUnset; return AAX_SUCCESS;
    case QorAAXContext::kProcessor:
        // The block belongs to the host, which never asks for it back: the processor is not
        // destroyed, and owns nothing outside the block.
        try
        {
            new (data) vellaCorEffect();
        }
        catch (...)
        {
            return AAX_ERROR_PORT_ID_OUT_OF_RANGE;
        }
        return AAX_SUCCESS;
    default: // the mailbox
        std::memset(data, 0, size);
        return AAX_SUCCESS;
    }
}
} // namespace Qor_AAX_PrivateData
