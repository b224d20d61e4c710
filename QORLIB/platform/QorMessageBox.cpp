#include "QORLIB/platform/QorMessageBox.h"

#include "QORLIB/platform/QorProcessRunner.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace
{
QorMessageBox::Handler& handler()
{
    static QorMessageBox::Handler h;
    return h;
}

bool showWithTool(const std::string& text, const std::string& caption)
{
    if (!QorProcessRunner::haveDisplay())
        return false;
    std::vector<std::string> argv;
    if (QorProcessRunner::onPath("zenity"))
        argv = {"zenity", "--error", "--no-markup", "--title=" + caption, "--text=" + text};
    else if (QorProcessRunner::onPath("kdialog"))
        argv = {"kdialog", "--title", caption, "--error", text};
    else
        return false;
    // The box stays up on its own until the user closes it; nobody waits for it.
    QorProcessRunner::start(argv, false, nullptr, QorProcessRunner::WhenAbandoned::kLetRun, {});
    return true;
}
} // namespace

void QorMessageBox::show(const std::string& text, const std::string& caption)
{
    if (handler())
    {
        handler()(text, caption);
        return;
    }
    if (!showWithTool(text, caption))
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

QorMessageBox::Handler QorMessageBox::setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}
