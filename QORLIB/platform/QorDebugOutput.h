#pragma once

#include <functional>
#include <string>

// Developer trace (in place of a debugger output window): written to the standard error
// stream only when QOR_DEBUG_OUTPUT is set, so hosts stay quiet. Main thread only.
class QorDebugOutput
{
public:
    using Handler = std::function<void(const std::string& text)>;

    static void write(const std::string& text);

    // Replaces the sink (tests); an empty handler restores it.
    static Handler setHandler(Handler handler);
};
