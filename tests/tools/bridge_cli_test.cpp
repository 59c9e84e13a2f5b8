#include "support/program_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// Starts the bridge on the virtual devices, with the arguments given besides.
void startBridge(QProcess& bridge, const QStringList& more = {}) {
    bridge.start(QStringLiteral(MARROWLINK_BRIDGE), VirtualDevices + more);
}

// What the bridge says on standard error until it says that it runs, or for 10 s.
QByteArray untilRunning(QProcess& bridge) {
    QByteArray err;
    for (int i = 0; i < 100 && !err.contains("running"); ++i) {
        bridge.waitForReadyRead(100);
        err += bridge.readAllStandardError();
    }
    return err;
}

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
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        QProcess bridge;
        startBridge(bridge);
        ASSERT_TRUE(bridge.waitForStarted(5000));
        QByteArray err = untilRunning(bridge);
        ASSERT_TRUE(err.contains("running")) << err.toStdString();
        ::kill(pid_t(bridge.processId()), signal);
        ASSERT_TRUE(bridge.waitForFinished(5000));
        EXPECT_EQ(bridge.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(bridge.exitCode(), 0) << signal;
        err += bridge.readAllStandardError();
        EXPECT_FALSE(err.contains("error")) << err.toStdString();
    }
}

TEST(BridgeCommandLine, AMissingFolderOrJackServerIsSaidAndEndsWithCode2) {
    const ProgramRun folder =
        runBridge(VirtualDevices + QStringList{QStringLiteral("--folder"), "/nonexistent/bank"});
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_EQ(folder.Err().toStdString(),
              "marrowlink-bridge: folder \"/nonexistent/bank\" does not exist\n");

    // A server name that nothing runs under.
    const QByteArray server =
        "marrowlink-none-" + QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray before = qgetenv("JACK_DEFAULT_SERVER");
    qputenv("JACK_DEFAULT_SERVER", server);
    const QStringList jack{QStringLiteral("--api"), QStringLiteral("jack")};
    for (const QStringList& more :
         {QStringList{QStringLiteral("--list-devices")}, VirtualDevices.mid(2)}) {
        const ProgramRun run = runBridge(jack + more);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.Err().toStdString(), "marrowlink-bridge: no JACK server is running\n");
        EXPECT_TRUE(run.out.isEmpty());
    }
    if (before.isNull())
        qunsetenv("JACK_DEFAULT_SERVER");
    else
        qputenv("JACK_DEFAULT_SERVER", before);
}

// A signal while the controller preset is uploaded (3000 messages, 30 s) stops the upload between
// two messages; the ports are closed and the bridge ends with code 0.
TEST(BridgeCommandLine, ASignalDuringThePresetUploadEndsItCleanly) {
    QTemporaryDir folder;
    QFile preset(folder.filePath(QStringLiteral("Marrowlink.SYX")));
    ASSERT_TRUE(preset.open(QIODevice::WriteOnly));
    for (int n = 0; n < 3000; ++n)
        preset.write(QByteArray("\xF0\x00\x20\x32\x7F\xF7", 6));
    preset.close();
    QProcess bridge;
    startBridge(bridge,
                {QStringLiteral("--send-preset"), QStringLiteral("--folder"), folder.path()});
    ASSERT_TRUE(bridge.waitForStarted(5000));
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(500);
    ::kill(pid_t(bridge.processId()), SIGINT);
    ASSERT_TRUE(bridge.waitForFinished(20000));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(bridge.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bridge.exitCode(), 0);
    const QByteArray err = bridge.readAllStandardError();
    EXPECT_FALSE(err.contains("error")) << err.toStdString();
    EXPECT_FALSE(err.contains("running on")) << err.toStdString();
}

// The folder's name is not UTF-8 (octal 351, a Latin-1 e acute), and its ROM names file is far
// larger than any list: the folder is found, the file refused as too large, and the bridge runs.
TEST(BridgeCommandLine, AFolderThatIsNotUtf8AndAnOversizedNamesFile) {
    QTemporaryDir dir;
#ifdef __SANITIZE_ADDRESS__
    const QString limit; // the sanitizer reserves far more address space than any limit allows
#else
    const QString limit = QStringLiteral("ulimit -v 1000000;");
#endif
    const ProgramRun run = RunShell(
        QStringLiteral(MARROWLINK_BRIDGE),
        QStringLiteral("cd '%1' || exit 9; bank=\"$(printf 'bank\\351')\"; mkdir \"$bank\"; "
                       "truncate -s 100000000 \"$bank/ROMNames.txt\"; "
                       "(%2 exec \"$0\" --synth-in 'TQ5 Simulator' --synth-out 'TQ5 Simulator' "
                       "--ctrl-in 'Virtual Controller' --ctrl-out 'Virtual Controller' "
                       "--folder \"$bank\") & pid=$!; sleep 1; kill -TERM $pid; wait $pid; "
                       "code=$?; rm -r \"$bank\"; exit $code")
            .arg(dir.path(), limit));
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.Err().contains(QStringLiteral("ROMNames.txt is too large")))
        << run.err.constData();
}

// A FIFO in the folder would hold the bridge in open() for good, and a device may never end: the
// names files and the controller preset are refused at once, and the bridge runs on.
TEST(BridgeCommandLine, AFifoOrADeviceInTheFolderIsRefusedWithoutWaiting) {
    QTemporaryDir folder;
    for (const char* name : {"ROMNames.txt", "Marrowlink.SYX"})
        ASSERT_EQ(
            ::mkfifo(QFile::encodeName(folder.filePath(QLatin1String(name))).constData(), 0600), 0);
    ASSERT_TRUE(
        QFile::link(QStringLiteral("/dev/zero"), folder.filePath(QStringLiteral("USERNames.txt"))));
    QProcess bridge;
    startBridge(bridge,
                {QStringLiteral("--send-preset"), QStringLiteral("--folder"), folder.path()});
    ASSERT_TRUE(bridge.waitForStarted(5000));
    QByteArray err = untilRunning(bridge);
    ::kill(pid_t(bridge.processId()), SIGTERM);
    ASSERT_TRUE(bridge.waitForFinished(5000)) << err.toStdString();
    err += bridge.readAllStandardError();
    EXPECT_EQ(bridge.exitCode(), 0);
    for (const char* refusal :
         {"ROMNames.txt cannot be read: it is not a regular file; its names are not used.",
          "USERNames.txt cannot be read: it is not a regular file; its names are not used.",
          "Can't read BCR sysex file (Marrowlink.SYX): it is not a regular file"})
        EXPECT_TRUE(err.contains(refusal)) << err.toStdString();
}

} // namespace
