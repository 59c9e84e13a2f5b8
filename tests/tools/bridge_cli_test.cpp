#include "support/program_run.h"

#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

ProgramRun runBridge(const QStringList& arguments) {
    return RunProgram(QStringLiteral(MARROWLINK_BRIDGE), arguments, {}, 10000);
}

const QStringList VirtualDevices{
    QStringLiteral("--api"),       QStringLiteral("virtual"),
    QStringLiteral("--synth-in"),  QStringLiteral("tq5 simulator"),
    QStringLiteral("--synth-out"), QStringLiteral("TQ5 Simulator"),
    QStringLiteral("--ctrl-in"),   QStringLiteral("Virtual Controller"),
    QStringLiteral("--ctrl-out"),  QStringLiteral("Virtual Controller")};

TEST(BridgeCommandLine, ListsDevicesUnderHeadings) {
    const ProgramRun run = runBridge({QStringLiteral("--list-devices")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.Out(), QStringLiteral("Input devices:\n  TQ5 Simulator\n  Virtual Controller\n"
                                        "  Virtual Keyboard\nOutput devices:\n  TQ5 Simulator\n"
                                        "  Virtual Controller\n"));
}

TEST(BridgeCommandLine, BadArgumentsEndWithCode2AndOneLine) {
    const QStringList cases[] = {
        {QStringLiteral("--api"), QStringLiteral("midi")},
        {QStringLiteral("--mod-group"), QStringLiteral("4"), QStringLiteral("--list-devices")},
        {QStringLiteral("--synth-in"), QStringLiteral("TQ5 Simulator")},
        {QStringLiteral("stray")},
        VirtualDevices + QStringList{QStringLiteral("--kbd-in"), QStringLiteral("Nothing Here")},
    };
    for (const QStringList& arguments : cases) {
        const ProgramRun run = runBridge(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.Err().count(QLatin1Char('\n')), 1) << run.Err().toStdString();
    }
    EXPECT_TRUE(runBridge(cases[4]).Err().contains(QStringLiteral("\"Nothing Here\"")));
}

TEST(BridgeCommandLine, RunsUntilSigtermAndEndsCleanly) {
    QProcess bridge;
    bridge.start(QStringLiteral(MARROWLINK_BRIDGE), VirtualDevices);
    ASSERT_TRUE(bridge.waitForStarted(5000));
    QByteArray err;
    for (int i = 0; i < 100 && !err.contains("running"); ++i) {
        bridge.waitForReadyRead(100);
        err += bridge.readAllStandardError();
    }
    ASSERT_TRUE(err.contains("running")) << err.toStdString();
    ::kill(pid_t(bridge.processId()), SIGINT);
    ASSERT_TRUE(bridge.waitForFinished(5000));
    EXPECT_EQ(bridge.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bridge.exitCode(), 0);
    err += bridge.readAllStandardError();
    EXPECT_FALSE(err.contains("error")) << err.toStdString();
}

} // namespace
