#include "support/midi_wait.h"

#include "midi/port_notifier.h"
#include "midi/virtual_midi_service.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

void SettleMidi(VirtualMidiService& service) {
    const QDeadlineTimer deadline(10000);
    for (;;) {
        service.WaitIdle();
        // The service is idle, so every notification it will post has been counted.
        if (PortNotifier::Outstanding() == 0)
            return;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "MIDI did not settle: " << PortNotifier::Outstanding()
                          << " notifications outstanding";
            return;
        }
    }
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(1);
    }
}
