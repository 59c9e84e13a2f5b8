#pragma once

#include "edit/system_services.h"

// SIGINT and SIGTERM end the bridge in order, closing its ports. Installed first thing, so that a
// signal during start-up or the preset upload does not kill it: the event loop ends through a
// pipe (a signal handler may do next to nothing), and work before the loop stops at its next
// pause.
void QuitEventLoopOnSignals();
// True once SIGINT or SIGTERM has come.
bool QuitRequested();

// Thrown from a pause once a signal has come: the upload stops between two messages.
struct StoppedBySignal {};

// The pause between preset messages, which ends the upload once a signal has come.
class SignalAwareSleeper : public ThreadSleeper {
public:
    void SleepMs(int milliseconds) override;
};
