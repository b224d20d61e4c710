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
} // namespace

void QorShell::open(const std::string& target, const void* owner, Done done)
{
    if (handler())
    {
        const bool opened = handler()(target);
        if (done)
            done(opened);
        return;
    }
    std::vector<std::string> argv;
    // "--" is not understood by xdg-open; a target starting with '-' is made a plain path. An
    // empty target starts nothing and is reported as a failure like any other.
    if (!target.empty())
        argv = {"xdg-open", target[0] == '-' ? "./" + target : target};
    QorProcessRunner::start(argv, false, owner, QorProcessRunner::WhenAbandoned::kLetRun,
                            [done = std::move(done)](const QorProcessRunner::Result& r) {
                                if (done)
                                    done(r.started && (!r.exited || r.exitStatus == 0));
                            });
}

QorShell::Handler QorShell::setHandler(Handler h) { return std::exchange(handler(), std::move(h)); }
