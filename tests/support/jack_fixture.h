#pragma once

#include "midi/midi_errors.h"
#include "midi/midi_ports.h"
#include "midi/midi_service_factory.h"
#include "support/jack_peer.h"
#include "support/jack_server.h"
#include "support/midi_wait.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

// Every test gets the private server of the CTest fixture and fails at once, saying why, without
// it.
class JackTest : public testing::Test {
protected:
    static void SetUpTestSuite() { problem_ = new QString(UsePrivateJackServer()); }
    static void TearDownTestSuite() { delete problem_; }
    void SetUp() override {
        if (!problem_->isEmpty())
            GTEST_FAIL() << problem_->toStdString();
    }

    // A new JACK connection needs a moment before data flows through it.
    static void letConnectionsSettle() { QThread::msleep(200); }

    static QString uniqueName(const char* role) {
        return QStringLiteral("%1-%2")
            .arg(QLatin1String(role))
            .arg(QCoreApplication::applicationPid());
    }

private:
    static inline QString* problem_ = nullptr;
};
