#pragma once

#include "midi/midi_errors.h"
#include "midi/midi_ports.h"
#include "midi/midi_service_factory.h"
#include "support/jack_peer.h"
#include "support/midi_wait.h"
#include "support/private_jack_test.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

class JackTest : public PrivateJackTest {
protected:
    // A new JACK connection needs a moment before data flows through it.
    static void letConnectionsSettle() { QThread::msleep(200); }

    // As the device page chooses devices: both ports closed if open, then opened on the peer,
    // and a first message sent each way.
    static void openOnPeer(JackPeer& peer, TMidiInput& input, TMidiOutput& output) {
        input.StopAndClose();
        input.SetProductName(peer.SendingPort());
        input.OpenAndStart();
        output.Close();
        output.SetProductName(peer.ReceivingPort());
        ASSERT_TRUE(output.Open());
        exchangeFirstMessages(peer, input, output);
    }

    // Returns once a first message has gone each way between the peer and our ports, and has been
    // taken away again: besides the moment a new connection needs, a program's first pass
    // through its code can miss a JACK cycle (under the thread sanitizer it takes tenths of a
    // second).
    static void exchangeFirstMessages(JackPeer& peer, TMidiInput& input, TMidiOutput& output) {
        bool through = false;
        for (int attempt = 0; attempt < 20 && !through; ++attempt) {
            peer.Send({0xF6});
            output.PutShort(0xF6, 0, 0);
            through = WaitUntil(
                [&] { return input.GetEventCount() > 0 && peer.ReceivedCount() > 0; }, 500);
        }
        EXPECT_TRUE(through) << "no message went through the new connections";
        // Late copies of the repeated messages.
        WaitUntil([] { return false; }, 300);
        input.FlushQueue();
        peer.Clear();
    }

    static QString uniqueName(const char* role) {
        return QStringLiteral("%1-%2")
            .arg(QLatin1String(role))
            .arg(QCoreApplication::applicationPid());
    }
};

// Our input and output on the JACK service, and a peer on the server to talk to.
class JackPortsOnPeer : public JackTest {
protected:
    void SetUp() override {
        JackTest::SetUp();
        if (HasFatalFailure())
            return;
        service = MakeMidiService(MidiBackend::Jack);
        input = std::make_unique<TMidiInput>(*service);
        output = std::make_unique<TMidiOutput>(*service);
        newPeer();
    }

    // The peer made anew: the last one's client is closed first.
    void newPeer() {
        peer.reset();
        peer = std::make_unique<JackPeer>(uniqueName("peer"));
        ASSERT_TRUE(peer->Problem().isEmpty()) << peer->Problem().toStdString();
    }

    std::unique_ptr<JackPeer> peer;
    std::unique_ptr<MidiService> service;
    std::unique_ptr<TMidiInput> input;
    std::unique_ptr<TMidiOutput> output;
};
