#include "QORLIB/platform/QorSaveDialog.h"

#include "QORLIB/platform/QorProcessRunner.h"

#include <cstdio>
#include <utility>

namespace
{
QorSaveDialog::Handler& handler()
{
    static QorSaveDialog::Handler h;
    return h;
}

// The tools print the chosen path and a newline; anything else (several lines) is refused.
bool takePath(const QorProcessRunner::Result& r, std::string& path)
{
    if (!r.started || !r.exited || r.exitStatus != 0)
        return false;
    std::string out = r.output;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    if (out.empty() || out.find('\n') != std::string::npos)
        return false;
    path = out;
    return true;
}
} // namespace

bool QorSaveDialog::run(const Request& request, std::string& path)
{
    if (handler())
        return handler()(request, path);
    const std::string start = request.folder.empty() ? request.defaultName
                                                     : request.folder + "/" + request.defaultName;
    const std::string pattern = "*." + request.extension;
    if (QorProcessRunner::haveDisplay() && QorProcessRunner::onPath("zenity"))
        return takePath(QorProcessRunner::run({"zenity", "--file-selection", "--save",
                                               "--confirm-overwrite", "--title=" + request.title,
                                               "--filename=" + start,
                                               "--file-filter=" + request.typeDescription +
                                                   " | " + pattern},
                                              true, -1),
                        path);
    if (QorProcessRunner::haveDisplay() && QorProcessRunner::onPath("kdialog"))
        return takePath(QorProcessRunner::run({"kdialog", "--title", request.title,
                                               "--getsavefilename", start,
                                               pattern + "|" + request.typeDescription},
                                              true, -1),
                        path);
    std::fprintf(stderr, "%s: no save dialog available (needs zenity or kdialog on a desktop)\n",
                 request.title.c_str());
    return false;
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
