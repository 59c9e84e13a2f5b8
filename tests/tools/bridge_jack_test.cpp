#include "support/jack_fixture.h"
#include "synth/sysex_formats.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

namespace {

// A real MIDI client acting as the controller, tq5-sim as the synth and marrowlink-bridge between
// them, each a program of its own on the JACK server.
class BridgeOnJack : public JackTest {
protected:
    void SetUp() override {
        JackTest::SetUp();
        if (HasFatalFailure())
            return;
        simName = uniqueName("TQ5 Sim");
        sim.start(QStringLiteral(TQ5_SIM),
                  {QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--name"),
                   simName, QStringLiteral("--log"), folder.filePath(QStringLiteral("sim.jsonl"))});
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(WaitUntil([&] { return sim.canReadLine(); }, 10000))
            << sim.readAllStandardError().toStdString();

        controller = std::make_unique<JackPeer>(uniqueName("BCR"));
        ASSERT_TRUE(controller->Problem().isEmpty()) << controller->Problem().toStdString();
        keyboard = std::make_unique<JackPeer>(uniqueName("Keys"));
        ASSERT_TRUE(keyboard->Problem().isEmpty()) << keyboard->Problem().toStdString();

        bridge.setProcessChannelMode(QProcess::SeparateChannels);
        bridge.start(QStringLiteral(MARROWLINK_BRIDGE),
                     {QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--synth-in"),
                      simName + QStringLiteral(":MIDI Out"), QStringLiteral("--synth-out"),
                      simName + QStringLiteral(" In:MIDI In"), QStringLiteral("--ctrl-in"),
                      controller->SendingPort(), QStringLiteral("--ctrl-out"),
                      controller->ReceivingPort(), QStringLiteral("--kbd-in"),
                      keyboard->SendingPort(), QStringLiteral("--folder"), folder.path()});
        ASSERT_TRUE(bridge.waitForStarted(5000));
        ASSERT_TRUE(WaitUntil([&] { return stderrText().contains("running"); }, 15000))
            << stderrText().toStdString();
        letConnectionsSettle();
    }

    void TearDown() override {
        for (QProcess* p : {&bridge, &sim})
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
            }
    }

    QByteArray stderrText() {
        bridgeErrors += bridge.readAllStandardError();
        return bridgeErrors;
    }

    // Waits until the controller has received at least count more messages than before.
    std::vector<Bytes> controllerGets(std::size_t before, std::size_t count) {
        EXPECT_TRUE(WaitUntil([&] { return controller->ReceivedCount() >= before + count; }, 10000))
            << "the controller received " << controller->ReceivedCount() - before << " of "
            << count;
        const std::vector<Bytes> all = controller->Received();
        return {all.begin() + std::ptrdiff_t(before), all.end()};
    }

    QByteArray simLog() {
        QFile log(folder.filePath(QStringLiteral("sim.jsonl")));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QString simName;
    QProcess sim;
    QProcess bridge;
    QByteArray bridgeErrors;
    std::unique_ptr<JackPeer> controller;
    std::unique_ptr<JackPeer> keyboard;
};

TEST_F(BridgeOnJack, StartsFetchesEditsAndEchoes) {
    // What start-up sent may have gone out before the new connections carried data (JACK needs a
    // moment), so the test starts from the controller's first edit.
    // A controller edit reaches the synth as a parameter change, and is not echoed.
    controller->Send({0xB0, 6, 77});
    ASSERT_TRUE(WaitUntil([&] { return simLog().contains("F0 43 10 12 36 4D F7"); }, 10000))
        << simLog().toStdString();

    // CC 20 asks for the voice; the synth's answer comes back to the controller, with row 6 = 77.
    const std::size_t before = controller->ReceivedCount();
    controller->Send({0xB0, 20, 0});
    const std::vector<Bytes> echoes = controllerGets(before, 4 * 40);
    EXPECT_NE(std::find(echoes.begin(), echoes.end(), Bytes{0xB0, 6, 77}), echoes.end());
    EXPECT_TRUE(simLog().contains("4C 4D 20 20 38 30 33 36 45 46"));

    // Selecting operator 2 from the controller echoes the operator buttons.
    const std::size_t beforeSelect = controller->ReceivedCount();
    controller->Send({0xB0, 101, 127});
    const std::vector<Bytes> select = controllerGets(beforeSelect, 4 + 4 + 1 + 16 + 1);
    EXPECT_EQ(select.back(), (Bytes{0xB0, 101, 1}));
    EXPECT_TRUE(WaitUntil([&] { return simLog().contains("F0 43 10 12 5D 0F F7"); }, 5000));

    // The next modulation group (mod wheel to breath) shows its four records on CC 0..3.
    const std::size_t beforeGroup = controller->ReceivedCount();
    controller->Send({0xB0, 48, 127});
    const std::vector<Bytes> group = controllerGets(beforeGroup, 4);
    ASSERT_EQ(group.size(), 4u);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(group[std::size_t(k)][1], k);

    // Keyboard thru: the note reaches the synth unchanged.
    keyboard->Send({0x92, 60, 100});
    EXPECT_TRUE(WaitUntil([&] { return simLog().contains("\"92 3C 64\""); }, 5000))
        << stderrText().toStdString() << simLog().right(600).toStdString()
        << keyboard->SendingPort().toStdString();

    // Randomise: the whole voice, then the operator mask and the new name "Rand nnnnn".
    controller->Send({0xB0, 21, 127});
    EXPECT_TRUE(WaitUntil([&] { return simLog().count("F0 43 00 03 00 5D") >= 1; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return simLog().contains("F0 43 10 12 4D 52 F7"); }, 5000));

    bridge.terminate();
    ASSERT_TRUE(bridge.waitForFinished(5000));
    EXPECT_EQ(bridge.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bridge.exitCode(), 0);
}

// A bridge that JACK has to run without (here: stopped for a moment, as a loaded machine without
// real-time scheduling would hold it up) says that what the keyboard sent meanwhile may be lost.
TEST_F(BridgeOnJack, CyclesRunWithoutItWhileADeviceSendsAreReported) {
    keyboard->Flood(1000, 1000);
    QThread::msleep(300);
    ::kill(pid_t(bridge.processId()), SIGSTOP);
    QThread::msleep(150);
    ::kill(pid_t(bridge.processId()), SIGCONT);
    const QString said = QStringLiteral("MIDI messages from \"%1\" may have been lost: the MIDI "
                                        "system ran ")
                             .arg(keyboard->SendingPort());
    EXPECT_TRUE(WaitUntil([&] { return stderrText().contains(said.toUtf8()); }, 5000))
        << stderrText().toStdString();
    EXPECT_FALSE(stderrText().contains(simName.toUtf8())) << stderrText().toStdString();
}

// A keyboard whose program ends and starts again: the bridge says it has gone and, once it is
// back, plays it through to the synth again unasked.
TEST_F(BridgeOnJack, AKeyboardThatGoesAndComesBackIsPlayedThroughAgain) {
    const QString port = keyboard->SendingPort();
    keyboard.reset();
    const QString said = QStringLiteral("The MIDI device \"%1\" has gone").arg(port);
    ASSERT_TRUE(WaitUntil([&] { return stderrText().contains(said.toUtf8()); }, 5000))
        << stderrText().toStdString();

    keyboard = std::make_unique<JackPeer>(uniqueName("Keys"));
    ASSERT_EQ(keyboard->SendingPort(), port);
    EXPECT_TRUE(WaitUntil(
        [&] {
            keyboard->Send({0x92, 61, 100});
            return simLog().contains("\"92 3D 64\"");
        },
        10000))
        << stderrText().toStdString();
    EXPECT_EQ(stderrText().count(said.toUtf8()), 1) << stderrText().toStdString();
}

} // namespace
