#include "QORLIB/platform/QorMessageBox.h"

#include "QORLIB/platform/QorProcessRunner.h"

#include <cstdio>
#include <utility>

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
    if (QorProcessRunner::onPath("zenity"))
        return QorProcessRunner::run({"zenity", "--error", "--no-markup", "--title=" + caption,
                                      "--text=" + text},
                                     false, -1)
            .started;
    if (QorProcessRunner::onPath("kdialog"))
        return QorProcessRunner::run({"kdialog", "--title", caption, "--error", text}, false, -1)
            .started;
    return false;
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
