#include "midi/port_notifier.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

std::atomic<int> PortNotifier::outstanding_{0};

PortNotifier::PortNotifier(std::function<void(Kind)> handler) : handler_(std::move(handler)) {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for MIDI notifications");
    readFd_ = fds[0];
    writeFd_ = fds[1];
    notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { drain(); });
}

PortNotifier::~PortNotifier() {
    notifier_.reset();
    char kind;
    while (::read(readFd_, &kind, 1) == 1)
        outstanding_.fetch_sub(1, std::memory_order_relaxed);
    ::close(readFd_);
    ::close(writeFd_);
}

void PortNotifier::Post(Kind kind) noexcept {
    outstanding_.fetch_add(1, std::memory_order_relaxed);
    const char byte = kind;
    ssize_t written;
    do
        written = ::write(writeFd_, &byte, 1);
    while (written < 0 && errno == EINTR);
    // A full pipe holds tens of thousands of notifications still to come, and every handler takes
    // up all that is ready rather than one item, so losing this one loses nothing.
    if (written != 1)
        outstanding_.fetch_sub(1, std::memory_order_relaxed);
}

int PortNotifier::Outstanding() {
    return outstanding_.load(std::memory_order_acquire);
}

void PortNotifier::drain() {
    char kind;
    while (::read(readFd_, &kind, 1) == 1) {
        outstanding_.fetch_sub(1, std::memory_order_release);
        handler_(Kind(kind));
    }
}
