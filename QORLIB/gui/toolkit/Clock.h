#pragma once

#include <cstdint>
#include <functional>

namespace qortk
{

// The toolkit's millisecond clock: a steady clock that wraps like a 32-bit tick counter.
// Tests replace it to step time by hand.
class Clock
{
public:
    static uint32_t nowMs();
    static void setSource(std::function<uint32_t()> source); // empty: the steady clock again
};

} // namespace qortk
