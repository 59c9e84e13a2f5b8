#include "child_process.h"
#include "edit/editor_ports.h"
#include "edit/system_services.h"
#include "support/jack_fixture.h"
#include "support/recording_prompter.h"

#include <QFile>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The fixture's server, to be stopped, killed and started again under the same name and process
// record, so that the fixture still ends it by its process id.
class FixtureServer {
public:
    FixtureServer() {
        QFile state(stateFile());
        if (state.open(QIODevice::ReadOnly)) {
            const QStringList fields = QString::fromUtf8(state.readAll()).split(QLatin1Char(' '));
            name_ = fields.value(0).trimmed();
            pid_ = fields.value(1).trimmed().toInt();
        }
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid_));
        if (cmdline.open(QIODevice::ReadOnly))
            for (const QByteArray& word : cmdline.readAll().split('\0'))
                if (!word.isEmpty())
                    command_ << QString::fromLocal8Bit(word);
    }

    bool Known() const { return pid_ > 0 && command_.size() > 1; }
    void Pause() { ::kill(pid_, SIGSTOP); }
    void Resume() { ::kill(pid_, SIGCONT); }

    // Not SIGKILL: a server killed so keeps its place in JACK's registry of servers, which has
    // eight, for good. Its clients are told of the end through the same callback either way.
    bool Kill() {
        ::kill(pid_, SIGTERM);
        const auto deadline = Clock::now() + 5s;
        // A server this test started again is its child, to be reaped.
        while (::waitpid(pid_, nullptr, WNOHANG) <= 0 &&
               QFile::exists(QStringLiteral("/proc/%1").arg(pid_)) && Clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        return !QFile::exists(QStringLiteral("/proc/%1").arg(pid_));
    }

    bool Restart() {
        pid_ = StartDetached(command_, stateFile() + QStringLiteral(".log"));
        QFile state(stateFile());
        if (pid_ <= 0 || !state.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        state.write(QStringLiteral("%1 %2\n").arg(name_).arg(pid_).toUtf8());
        state.close();
        const auto deadline = Clock::now() + 10s;
        while (!UsePrivateJackServer().isEmpty()) {
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(50ms);
        }
        return true;
    }

private:
    static QString stateFile() { return qEnvironmentVariable("MARROWLINK_JACK_STATE"); }

    QString name_;
    int pid_ = 0;
    QStringList command_;
};

// Ends the test program when one call takes more than two seconds: a send that blocks for good
// would otherwise hang the test until CTest's timeout. The server is resumed first, should the
// test have paused it.
class Watchdog {
public:
    explicit Watchdog(FixtureServer& server)
        : thread_([this, &server] {
              while (!stop_.load()) {
                  const auto began = began_.load();
                  if (began != 0 && Clock::now().time_since_epoch().count() - began >
                                        std::chrono::nanoseconds(2s).count()) {
                      std::fprintf(stderr, "a send has blocked for more than two seconds\n");
                      server.Resume();
                      std::_Exit(1);
                  }
                  std::this_thread::sleep_for(10ms);
              }
          }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }

    // How long the call took.
    template <class Call> Clock::duration Time(Call call) {
        const auto began = Clock::now();
        began_ = began.time_since_epoch().count();
        call();
        began_ = 0;
        return Clock::now() - began;
    }

private:
    std::atomic<Clock::rep> began_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

template <class Send> QString raisedBy(Send send) {
    try {
        send();
    } catch (const EMidiOutputError& error) {
        return error.Message();
    }
    return {};
}

const QString LongBusy = QStringLiteral("(Long Msg) The hardware is busy with other data.");
const QString ShortBusy = QStringLiteral("(Short Msg) The hardware is busy with other data.");
const QString LongInvalid = QStringLiteral("(Long Msg) The specified device handle is invalid.");
const QString ShortInvalid = QStringLiteral("(Short Msg) The specified device handle is invalid.");

class JackServerFaults : public JackPortsOnPeer {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Known()) << "the fixture's server is not running";
        JackPortsOnPeer::SetUp();
        if (!HasFatalFailure())
            openOnPeer(*peer, *input, *output);
    }

    // A paused server must not be left so: the fixture could end it only with SIGKILL.
    void TearDown() override { server.Resume(); }

    static Bytes dump(int n) {
        Bytes bytes(1000, std::uint8_t(n & 0x7F));
        bytes.front() = 0xF0;
        bytes.back() = 0xF7;
        return bytes;
    }

    FixtureServer server;
};

TEST_F(JackServerFaults, AFullBufferRaisesBusyAtOnceAndWhatItTookGoesOut) {
    server.Pause();
    Watchdog watchdog(server);
    Clock::duration longest{};
    int accepted = 0;
    for (int n = 0; n < 200; ++n) {
        const Bytes message = dump(n);
        QString raised;
        longest = std::max(longest, watchdog.Time([&] {
            raised = raisedBy([&] { output->PutLong(message.data(), 1000); });
        }));
        if (raised.isEmpty()) {
            EXPECT_EQ(accepted, n) << "a message was taken after one was refused";
            ++accepted;
        } else {
            EXPECT_EQ(raised, LongBusy);
        }
    }
    EXPECT_GT(accepted, 100);
    EXPECT_LT(accepted, 200);
    QString raised;
    int shortAccepted = 0;
    for (; shortAccepted < 1000 && raised.isEmpty(); ++shortAccepted)
        raised = raisedBy([&] { output->PutShort(0xB0, 7, std::uint8_t(shortAccepted)); });
    EXPECT_EQ(raised, ShortBusy);
    EXPECT_LT(longest, 50ms);

    server.Resume();
    const std::size_t expected = std::size_t(accepted + shortAccepted - 1);
    ASSERT_TRUE(WaitUntil([&] { return peer->ReceivedCount() >= expected; }, 10000))
        << "the peer received " << peer->ReceivedCount() << " of " << expected;
    const std::vector<Bytes> received = peer->Received();
    for (int n = 0; n < accepted; ++n)
        ASSERT_EQ(received[std::size_t(n)], dump(n)) << "message " << n;
}

TEST_F(JackServerFaults, SendsFailAtOnceWhenTheServerIsGoneAndTheDevicesOpenAgainOnceItIsBack) {
    ASSERT_TRUE(server.Kill());
    Watchdog watchdog(server);
    Clock::duration longest{};
    for (int n = 0; n < 100; ++n) {
        const Bytes message = dump(n);
        QString raised;
        longest = std::max(longest, watchdog.Time([&] {
            raised = raisedBy([&] { output->PutLong(message.data(), 1000); });
        }));
        // Until the service has heard that the server is gone, the ring takes what fits.
        EXPECT_TRUE(raised.isEmpty() || raised == LongBusy || raised == LongInvalid)
            << raised.toStdString();
    }
    EXPECT_LT(longest, 50ms);
    EXPECT_TRUE(WaitUntil([&] {
        const Bytes message = dump(0);
        return raisedBy([&] { output->PutLong(message.data(), 1000); }) == LongInvalid;
    }));
    EXPECT_EQ(raisedBy([&] { output->PutShort(0x90, 60, 100); }), ShortInvalid);
    EXPECT_EQ(input->GetEventCount(), 0);
    // Without a server there is nothing to choose. The peer's client closes first: libjack
    // renews its view of the server only once every client of the process has closed, and in the
    // program ours is the only one.
    peer.reset();
    EXPECT_TRUE(service->InputDevices().isEmpty());

    // As the device page does: the devices chosen again, here on a peer new to the server.
    ASSERT_TRUE(server.Restart());
    newPeer();
    ASSERT_FALSE(HasFatalFailure());
    openOnPeer(*peer, *input, *output);
    if (HasFatalFailure())
        return;
    output->PutShort(0x90, 60, 100);
    peer->Send({0x80, 60, 0});
    EXPECT_TRUE(
        WaitUntil([&] { return peer->ReceivedCount() == 1 && input->GetEventCount() == 1; }));
    EXPECT_EQ(peer->Received(), std::vector<Bytes>({{0x90, 60, 100}}));
    const auto event = input->GetMidiEvent();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->StatusByte, 0x80);
}

// The editor's ports with a peer's ports remembered as the synth's: when the server goes, the user
// hears it at once in the editor's words, and when it is back the devices open again unasked.
class EditorPortsOnJack : public JackTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Known()) << "the fixture's server is not running";
        JackTest::SetUp();
        if (HasFatalFailure())
            return;
        peer = std::make_unique<JackPeer>(uniqueName("synth"));
        ASSERT_TRUE(peer->Problem().isEmpty()) << peer->Problem().toStdString();
        settings.SetValue(QStringLiteral("MidiDevices"), QStringLiteral("Input"),
                          peer->SendingPort());
        settings.SetValue(QStringLiteral("MidiDevices"), QStringLiteral("Output"),
                          peer->ReceivingPort());
        service = MakeMidiService(MidiBackend::Jack);
        ports = std::make_unique<EditorPorts>(*service, prompts, settings);
        ASSERT_TRUE(ports->ListDevices());
        ports->RestoreDevices();
        ASSERT_TRUE(ports->SynthOutputChosen()) << prompts.shown.join('|').toStdString();
        exchangeFirstMessages(*peer, ports->MidiSynthToPC(), ports->MidiPCToSynth());
    }
    void TearDown() override { server.Resume(); }

    FixtureServer server;
    std::unique_ptr<JackPeer> peer;
    MemorySettings settings;
    RecordingPrompter prompts;
    std::unique_ptr<MidiService> service;
    std::unique_ptr<EditorPorts> ports;
};

TEST_F(EditorPortsOnJack, TheServerGoingIsSaidAtOnceAndTheDevicesOpenAgainWhenItIsBack) {
    ASSERT_TRUE(server.Kill());
    const auto gone = Clock::now();
    const QString stopped = QStringLiteral("error: The MIDI system has stopped, and the MIDI "
                                           "devices are closed. They are opened again when it is "
                                           "back.");
    ASSERT_TRUE(WaitUntil([&] { return !prompts.shown.isEmpty(); }, 5000));
    EXPECT_LT(Clock::now() - gone, 1s);
    EXPECT_EQ(prompts.shown, QStringList{stopped});
    EXPECT_FALSE(ports->SynthOutputChosen());
    EXPECT_EQ(ports->DeviceList(Port::SynthIn), QStringList{"None"});
    // Nothing goes out, so libjack's invalid handle is never said.
    ports->ToSynth(std::vector<std::uint8_t>{0xF0, 0x43, 0x20, 0x7E, 0xF7});
    EXPECT_EQ(prompts.shown.size(), 1);

    // libjack renews its view of the server only once every client of the process has closed.
    const QString peerName = peer->SendingPort();
    peer.reset();
    ASSERT_TRUE(server.Restart());
    peer = std::make_unique<JackPeer>(uniqueName("synth"));
    ASSERT_EQ(peer->SendingPort(), peerName);
    ASSERT_TRUE(WaitUntil([&] { return ports->SynthOutputChosen(); }, 5000))
        << prompts.shown.join('|').toStdString();
    EXPECT_EQ(ports->Index(Port::SynthIn), ports->FindDevice(Port::SynthIn, peerName));
    exchangeFirstMessages(*peer, ports->MidiSynthToPC(), ports->MidiPCToSynth());
    ports->ToSynth(std::vector<std::uint8_t>{0xF0, 0x43, 0x20, 0x7E, 0xF7});
    EXPECT_TRUE(WaitUntil([&] { return peer->ReceivedCount() == 1; }));
    EXPECT_EQ(prompts.shown.size(), 1) << prompts.shown.join('|').toStdString();
}

} // namespace
