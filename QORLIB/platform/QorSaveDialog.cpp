#include "QORLIB/platform/QorSaveDialog.h"

#include "QORLIB/platform/QorProcessRunner.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace
{
QorSaveDialog::Handler& handler()
{
    static QorSaveDialog::Handler h;
    return h;
}

// The tools print the chosen path and a newline; anything else (several lines) is refused. A
// status the host took from us (it reaps children itself) leaves the output to tell.
bool takePath(const QorProcessRunner::Result& r, std::string& path)
{
    if (!r.started || (r.exited && r.exitStatus != 0))
        return false;
    std::string out = r.output;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    if (out.empty() || out.find('\n') != std::string::npos)
        return false;
    path = out;
    return true;
}

std::vector<std::string> dialogCommand(const QorSaveDialog::Request& request)
{
    if (!QorProcessRunner::haveDisplay())
        return {};
    const std::string start = request.folder.empty() ? request.defaultName
                                                     : request.folder + "/" + request.defaultName;
    const std::string pattern = "*." + request.extension;
    if (QorProcessRunner::onPath("zenity"))
        return {"zenity", "--file-selection", "--save", "--confirm-overwrite", "--title=" + request.title,
                "--filename=" + start, "--file-filter=" + request.typeDescription + " | " + pattern};
    if (QorProcessRunner::onPath("kdialog"))
        return {"kdialog", "--title", request.title, "--getsavefilename", start,
                pattern + "|" + request.typeDescription};
    return {};
}
} // namespace

void QorSaveDialog::start(const Request& request, const void* owner, Done done)
{
    if (handler())
    {
        std::string path;
        const bool chosen = handler()(request, path);
        if (done)
            done(chosen, chosen ? path : std::string());
        return;
    }
    const std::vector<std::string> argv = dialogCommand(request);
    if (argv.empty())
        std::fprintf(stderr, "%s: no save dialog available (needs zenity or kdialog on a desktop)\n",
                     request.title.c_str());
    // Without a command nothing starts and the poll reports a cancel, as for a closed dialog.
    QorProcessRunner::start(argv, true, owner, QorProcessRunner::WhenAbandoned::kKill,
                            [done = std::move(done)](const QorProcessRunner::Result& r) {
                                std::string path;
                                const bool chosen = takePath(r, path);
                                if (done)
                                    done(chosen, path);
                            });
}

bool QorSaveDialog::available()
{
    return handler() || (QorProcessRunner::haveDisplay() &&
                         (QorProcessRunner::onPath("zenity") || QorProcessRunner::onPath("kdialog")));
}

QorSaveDialog::Handler QorSaveDialog::setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}
