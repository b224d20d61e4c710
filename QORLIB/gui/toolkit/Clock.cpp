#include "QORLIB/gui/toolkit/Clock.h"

#include <chrono>

namespace qortk
{
namespace
{
std::function<uint32_t()>& source()
{
    static std::function<uint32_t()> s;
    return s;
}
} // namespace

uint32_t Clock::nowMs()
{
    if (source())
        return source()();
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Clock::setSource(std::function<uint32_t()> s) { source() = std::move(s); }

} // namespace qortk
