#include "support/jack_fixture.h"
#include "support/preset_files.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// bcr-sim as the controller, tq5-sim as the synth and marrowlink-bridge uploading the presets
// between them, each a program of its own on the JACK server.
class ControllerPresetOnJack : public JackTest {
protected:
    void SetUp() override {
        JackTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const char* name : {"Marrowlink.SYX", "Marrowlink_Rev.SYX", "Marrowlink_Norm.SYX"})
            ASSERT_TRUE(QFile::copy(presetPath(name), folder.filePath(QLatin1String(name))));
        const QString synthName = uniqueName("TQ5 Sim");
        const QString controllerName = uniqueName("BCR Sim");
        startSimulator(synth, QStringLiteral(TQ5_SIM), synthName, "synth.jsonl");
        startSimulator(controller, QStringLiteral(BCR_SIM), controllerName, "bcr.jsonl");
        bridge.start(QStringLiteral(MARROWLINK_BRIDGE),
                     {QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--synth-in"),
                      synthName + QStringLiteral(":MIDI Out"), QStringLiteral("--synth-out"),
                      synthName + QStringLiteral(" In:MIDI In"), QStringLiteral("--ctrl-in"),
                      controllerName + QStringLiteral(":MIDI Out"), QStringLiteral("--ctrl-out"),
                      controllerName + QStringLiteral(" In:MIDI In"), QStringLiteral("--folder"),
                      folder.path(), QStringLiteral("--send-preset")});
        ASSERT_TRUE(bridge.waitForStarted(5000));
    }

    void TearDown() override {
        for (QProcess* p : {&bridge, &controller, &synth})
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(5000))
                    p->kill();
            }
    }

    void startSimulator(QProcess& process, const QString& program, const QString& name,
                        const char* log) {
        process.start(program,
                      {QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--name"),
                       name, QStringLiteral("--log"), folder.filePath(QLatin1String(log))});
        ASSERT_TRUE(process.waitForStarted(5000));
        ASSERT_TRUE(WaitUntil([&] { return process.canReadLine(); }, 10000))
            << process.readAllStandardError().toStdString();
        process.readLine();
    }

    QByteArray log(const char* name) { return readBytes(folder.filePath(QLatin1String(name))); }

    QTemporaryDir folder;
    QProcess synth;
    QProcess controller;
    QProcess bridge;
};

TEST_F(ControllerPresetOnJack, TheUploadIsAcceptedAndAnEncoderReachesTheSynth) {
    // The bridge runs once it has sent the main file and, the envelope times being reversed by
    // default, the Rev file.
    QByteArray bridgeErrors;
    ASSERT_TRUE(WaitUntil(
        [&] {
            bridgeErrors += bridge.readAllStandardError();
            return bridgeErrors.contains("running");
        },
        30000))
        << bridgeErrors.toStdString();
    const int lines = int(sysexMessages(readBytes(presetPath("Marrowlink.SYX"))).size() +
                          sysexMessages(readBytes(presetPath("Marrowlink_Rev.SYX"))).size());
    const auto answered = [&] {
        const QByteArray answers = log("bcr.jsonl");
        return answers.count(": accepted") + answers.count(": refused");
    };
    WaitUntil([&] { return answered() >= lines; }, 5000);
    // Each line is answered as it arrives. On a busy machine JACK may drop a cycle, and with it
    // the lines sent meanwhile; the controller then refuses the next line for its index. Nothing
    // else may be refused.
    const QByteArray answers = log("bcr.jsonl");
    EXPECT_EQ(answers.count("refused"), answers.count("refused, error 22 (bad line index)"))
        << answers.toStdString();
    EXPECT_GE(answers.count(": accepted"), lines * 9 / 10);

    // The voice the bridge fetched at start is echoed after the upload, the algorithm (CC 24)
    // among it; the turn goes on from whatever encoder 33 shows.
    WaitUntil([&] { return log("bcr.jsonl").contains("\"bytes\":\"B0 18 "); }, 5000);
    controller.write("turn 33 +3\n");
    ASSERT_TRUE(WaitUntil([&] { return controller.canReadLine(); }, 5000));
    const QString turned = QString::fromUtf8(controller.readLine());
    const auto match =
        QRegularExpression(QStringLiteral("^encoder 33: \\d+ -> (\\d+) \\(\\d+ sent\\)"))
            .match(turned);
    ASSERT_TRUE(match.hasMatch()) << turned.toStdString();
    // The algorithm (group 0x12, parameter 52) reaches the synth with the encoder's last value.
    const QByteArray change = QStringLiteral("F0 43 10 12 34 %1 F7")
                                  .arg(match.captured(1).toInt(), 2, 16, QLatin1Char('0'))
                                  .toUpper()
                                  .toLatin1();
    EXPECT_TRUE(WaitUntil([&] { return log("synth.jsonl").contains(change); }, 10000))
        << change.toStdString() << "\n"
        << log("synth.jsonl").right(1000).toStdString();
}

} // namespace
