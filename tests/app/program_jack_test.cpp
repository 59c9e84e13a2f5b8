#include "support/jack_fixture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The editor window program on the JACK server, between tq5-sim and a controller played by the
// test, its devices remembered in its settings file.
class EditorOnJack : public JackTest {
protected:
    void SetUp() override {
        JackTest::SetUp();
        if (HasFatalFailure())
            return;
        const QString simName = uniqueName("TQ5 Window Sim");
        sim.start(QStringLiteral(TQ5_SIM),
                  {"--api", "jack", "--name", simName, "--log", folder.filePath("sim.jsonl")});
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(WaitUntil([&] { return sim.canReadLine(); }, 10000));
        controller = std::make_unique<JackPeer>(uniqueName("Window BCR"));
        ASSERT_TRUE(controller->Problem().isEmpty()) << controller->Problem().toStdString();

        QFile settings(folder.filePath("marrowlink.INI"));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(
            QStringLiteral("[MidiDevices]\r\nInput=%1:MIDI Out\r\nOutput=%1 In:MIDI In\r\n"
                           "CtrlInput=%2\r\nCtrlOutput=%3\r\nKbdInput=None\r\n")
                .arg(simName, controller->SendingPort(), controller->ReceivingPort())
                .toUtf8());
        settings.close();
        editor.setWorkingDirectory(folder.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        editor.setProcessEnvironment(environment);
        editor.start(QStringLiteral(MARROWLINK_PROGRAM),
                     {"--api", "jack", "--batch", "--settings", settings.fileName()});
        ASSERT_TRUE(editor.waitForStarted(5000));
    }

    void TearDown() override {
        for (QProcess* p : {&editor, &sim})
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
            }
    }

    QByteArray simLog() {
        QFile log(folder.filePath("sim.jsonl"));
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QProcess sim;
    QProcess editor;
    std::unique_ptr<JackPeer> controller;
};

TEST_F(EditorOnJack, AControllerEditReachesTheSynthAndAFetchComesBackToTheController) {
    // The window's connections need a moment before data flows: the controller repeats its edit
    // until the synth has it.
    ASSERT_TRUE(WaitUntil(
        [&] {
            controller->Send({0xB0, 6, 77});
            return simLog().contains("F0 43 10 12 36 4D F7");
        },
        20000))
        << editor.readAllStandardError().toStdString() << simLog().toStdString();

    // CC 20 fetches the voice: each of its messages is followed by the echo of every row, row 6
    // among them.
    const std::size_t before = controller->ReceivedCount();
    controller->Send({0xB0, 20, 0});
    const auto rowSixEchoed = [&] {
        const std::vector<Bytes> echoes = controller->Received();
        return std::find(echoes.begin() + std::ptrdiff_t(before), echoes.end(),
                         Bytes{0xB0, 6, 77}) != echoes.end();
    };
    EXPECT_TRUE(WaitUntil(rowSixEchoed, 10000))
        << controller->ReceivedCount() - before << " messages came back\n"
        << editor.readAllStandardError().toStdString();
}

} // namespace
