#pragma once

#include <atomic>
#include <functional>
#include <thread>

// Calls a function at a steady pace on a thread of its own: audio played at real-time speed
// without an audio device (the editor's and the host simulator's playback loops).
class QorPacedThread
{
public:
    QorPacedThread() = default;
    ~QorPacedThread() { stop(); }
    QorPacedThread(const QorPacedThread&) = delete;
    QorPacedThread& operator=(const QorPacedThread&) = delete;

    // tick runs every periodSeconds until stop(); a second start() while running does nothing.
    void start(double periodSeconds, std::function<void()> tick);
    void stop();
    bool isRunning() const { return running_.load(std::memory_order_relaxed); }

private:
    void run(double periodSeconds);

    std::function<void()> tick_;
    std::atomic<bool> running_{false};
    std::thread worker_;
};
