#pragma once

#include "QORLIB/presets/QorPresetManager.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Qor_DPF
{

// The instance's preset state as one block of bytes (the host stores it base64-encoded):
//   "QVCS", then five fields, each a little-endian 32-bit length and its bytes:
//   the 'All ' chunk (0x02000000, "BRXK", the bank body of the preset file), setup A current,
//   setup A reference, setup B current, setup B reference (one-program preset files each),
//   then one byte: 0 when setup A is active, 1 for B.
// The same bank body and setups as the LV2 state and the AAX chunk. Main thread only.
class State
{
public:
    static std::vector<uint8_t> save(QorPresetManager& manager);
    // False, and the manager untouched, when the bytes are not such a block or the chunk's
    // product code is foreign. Setups that cannot be read leave the bank's own (A = B).
    static bool restore(QorPresetManager& manager, const uint8_t* data, std::size_t size);
};

} // namespace Qor_DPF
