#include "signal_aware_sleeper.h"

#include "views/quit_on_signal.h"

void SignalAwareSleeper::SleepMs(int milliseconds) {
    ThreadSleeper::SleepMs(milliseconds);
    if (QuitRequested())
        throw StoppedBySignal{};
}
