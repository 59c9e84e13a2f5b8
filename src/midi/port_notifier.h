#pragma once

#include <atomic>
#include <functional>
#include <memory>

class QSocketNotifier;

// Carries a port's notifications from the MIDI service's thread to the Qt thread: one byte per
// notification through a pipe watched by a QSocketNotifier. Posting takes no lock and allocates
// nothing. The Qt side reads one byte at a time and handles it before reading the next, so a
// handler that runs a nested event loop (a modal box) sees the later notifications there, still in
// the order they were posted. Needs a QCoreApplication on the thread that creates it.
class PortNotifier {
public:
    enum Kind : char { DataQueued = 1, QueueFull = 2, OutputDone = 3 };

    explicit PortNotifier(std::function<void(Kind)> handler);
    ~PortNotifier();
    PortNotifier(const PortNotifier&) = delete;
    PortNotifier& operator=(const PortNotifier&) = delete;

    // Any thread.
    void Post(Kind kind) noexcept;

    // Notifications posted by every port and not yet taken up on the Qt thread; lets a test wait
    // until everything has been handled.
    static int Outstanding();

private:
    void drain();

    std::function<void(Kind)> handler_;
    int readFd_ = -1;
    int writeFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    static std::atomic<int> outstanding_;
};
