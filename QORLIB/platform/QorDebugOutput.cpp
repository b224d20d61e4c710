#include "QORLIB/platform/QorDebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace
{
QorDebugOutput::Handler& handler()
{
    static QorDebugOutput::Handler h;
    return h;
}
} // namespace

void QorDebugOutput::write(const std::string& text)
{
    if (handler())
    {
        handler()(text);
        return;
    }
    const char* on = std::getenv("QOR_DEBUG_OUTPUT");
    if (on != nullptr && *on != '\0')
        std::fputs(text.c_str(), stderr);
}

QorDebugOutput::Handler QorDebugOutput::setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}
