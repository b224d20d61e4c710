#pragma once

#include <string>

// Starts a private Xvfb on a free display for the lifetime of the object and points DISPLAY
// at it. ok() is false (with the reason) when Xvfb is not installed or does not come up.
class XvfbServer
{
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool ok() const { return pid_ > 0; }
    const std::string& reason() const { return reason_; }

private:
    int pid_ = -1;
    std::string reason_;
    std::string oldDisplay_;
    bool hadDisplay_ = false;
};
