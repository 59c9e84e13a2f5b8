#pragma once

#include "edit/system_services.h"

// Thrown from a pause once a quitting signal has come (views/quit_on_signal.h): the upload stops
// between two messages.
struct StoppedBySignal {};

// The pause between preset messages, which ends the upload once a signal has come.
class SignalAwareSleeper : public ThreadSleeper {
public:
    void SleepMs(int milliseconds) override;
};
