#pragma once

#include "QORLIB/format/aax/host/AaxHostWindow.h"
#include "QORLIB/format/aax/host/AaxViewContainer.h"

#include <csignal>
#include <memory>
#include <string>

class AaxInstance;
class AaxPlaybackLoop;

// An instance's editor as the host shows it: the host's window (or none: the editor then draws
// offscreen), the view container around it, and the GUI timer that answers automation, moves
// packets and private data, and wakes the GUI object. With a playback loop the audio runs on
// the loop's thread and the timer takes the loop's host lock around its use of the context.
// Main thread.
class AaxEditorSession
{
public:
    static constexpr int kTickMs = 10;

    // loop may be null (blocks are then run by the caller, on this thread).
    AaxEditorSession(AaxInstance& instance, AaxPlaybackLoop* loop);
    ~AaxEditorSession();
    AaxEditorSession(const AaxEditorSession&) = delete;
    AaxEditorSession& operator=(const AaxEditorSession&) = delete;

    // Shows the editor in a new host window titled title, or offscreen when withWindow is false.
    bool open(bool withWindow, const std::string& title, std::string& error);
    // Takes the editor away again (the GUI object stays).
    void close();
    // One tick of the host's GUI timer.
    void tick();
    // Ticks until the window is closed or the flag (set by a signal handler) becomes non-zero.
    void run(const volatile std::sig_atomic_t* interrupted);

    AaxViewContainer& container() { return *container_; }
    AaxHostWindow* window() { return window_.get(); }
    bool isOpen() const { return open_; }

private:
    AaxInstance& instance_;
    AaxPlaybackLoop* loop_;
    std::unique_ptr<AaxHostWindow> window_;
    std::unique_ptr<AaxViewContainer> container_;
    bool open_ = false;
};
