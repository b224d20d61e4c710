#include "QORLIB/platform/QorShell.h"

#include "QORLIB/platform/QorProcessRunner.h"

#include <utility>

namespace
{
QorShell::Handler& handler()
{
    static QorShell::Handler h;
    return h;
}

// xdg-open usually hands over and exits at once; a launcher that stays in the foreground is
// not an error, so after this long the open counts as done.
constexpr int kOpenerWaitMs = 3000;
} // namespace

bool QorShell::open(const std::string& target)
{
    if (handler())
        return handler()(target);
    if (target.empty())
        return false;
    // "--" is not understood by xdg-open; a target starting with '-' is made a plain path.
    const std::string argument = target[0] == '-' ? "./" + target : target;
    const auto r = QorProcessRunner::run({"xdg-open", argument}, false, kOpenerWaitMs);
    return r.started && (!r.exited || r.exitStatus == 0);
}

QorShell::Handler QorShell::setHandler(Handler h) { return std::exchange(handler(), std::move(h)); }
