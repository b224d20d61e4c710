#include "QORLIB/platform/QorTick.h"

#include <chrono>
#include <utility>

namespace
{
QorTick::Source& source()
{
    static QorTick::Source s;
    return s;
}
} // namespace

uint32_t QorTick::now()
{
    if (source())
        return source()();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(static_cast<uint64_t>(ms.count()));
}

QorTick::Source QorTick::setSource(Source s) { return std::exchange(source(), std::move(s)); }
