#include "views/quit_on_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t quitRequested = 0;

void onSignal(int) {
    quitRequested = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void handle(int signal, const struct sigaction& action) {
    struct sigaction inherited {};
    if (signal != SIGTERM && ::sigaction(signal, nullptr, &inherited) == 0 &&
        inherited.sa_handler == SIG_IGN)
        return;
    ::sigaction(signal, &action, nullptr);
}
} // namespace

void QuitEventLoopOnSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC) != 0)
        return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
        // exit, not quit: a quit may be refused by a window, and exit ends the nested loops of
        // open message boxes too.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        handle(signal, action);
}

bool QuitRequested() {
    return quitRequested != 0;
}
