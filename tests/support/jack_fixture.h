#pragma once

#include "midi/midi_errors.h"
#include "midi/midi_ports.h"
#include "midi/rtmidi_endpoint.h"
#include "midi/rtmidi_service.h"
#include "support/jack_server.h"
#include "support/midi_wait.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Another program on the JACK server: it sends through one port and records what reaches the
// other.
class JackPeer {
public:
    explicit JackPeer(const QString& name)
        : endpoint_(MidiBackend::Jack, name, [this](std::span<const std::uint8_t> bytes) {
              std::lock_guard lock(mutex_);
              received_.emplace_back(bytes.begin(), bytes.end());
          }) {}

    QString Problem() const { return endpoint_.Problem(); }
    void Send(const Bytes& bytes) { EXPECT_TRUE(endpoint_.Send(bytes)); }
    std::vector<Bytes> Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }
    std::size_t ReceivedCount() const { return Received().size(); }
    QString SendingPort() const { return endpoint_.SendingPort(); }
    QString ReceivingPort() const { return endpoint_.ReceivingPort(); }

private:
    mutable std::mutex mutex_;
    std::vector<Bytes> received_;
    RtMidiEndpoint endpoint_;
};

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
