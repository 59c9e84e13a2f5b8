#include "support/program_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

ProgramRun bcrSim(const QStringList& arguments) {
    return RunProgram(QStringLiteral(BCR_SIM), arguments, {}, 10000);
}

TEST(BcrSimCommandLine, HelpExplainsOptionsCommandsPortsAnswersAndLog) {
    const ProgramRun run = bcrSim({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* text :
         {"--api", "--name", "--log", "turn N STEPS", "press N", "quit", "SIGTERM", ":MIDI Out",
          " In:MIDI In", "15 21 iMSB iLSB ERR", "\"change\""})
        EXPECT_TRUE(run.Out().contains(QLatin1String(text))) << text;
}

TEST(BcrSimCommandLine, RefusesWhatItCannotUseWithAClearMessage) {
    ProgramRun run = bcrSim({QStringLiteral("--api"), QStringLiteral("coreaudio")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.Err(), QStringLiteral("bcr-sim: --api takes alsa or jack, not \"coreaudio\"\n"));

    run = bcrSim({QStringLiteral("/nonexistent/Marrowlink.SYX")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Err().startsWith(QStringLiteral("bcr-sim: cannot read /nonexistent/")))
        << run.Err().toStdString();

    // A preset file with a line the controller refuses names the line and the error.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("bad.syx")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        QByteArray::fromHex("F0 00 20 32 7F 15 20 00 00 24 72 65 76 20 52 31 F7"
                            "F0 00 20 32 7F 15 20 00 01 24 65 6E 63 6F 64 65 72 20 35 37 F7"));
    file.close();
    run = bcrSim({file.fileName()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.Err(), QStringLiteral("bcr-sim: %1: line 1 \"$encoder 57\" refused: 9 (element "
                                        "number out of range)\n")
                             .arg(file.fileName()));
}

// A preset file that is a FIFO would hold the simulator in open(), a device may never end.
TEST(BcrSimCommandLine, APresetThatIsAFifoOrADeviceIsRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.syx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& preset : {fifo, QStringLiteral("/dev/zero")}) {
        const ProgramRun run = bcrSim({preset});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.Err().toStdString(),
                  "bcr-sim: cannot read " + preset.toStdString() + ": it is not a regular file\n");
    }
}

} // namespace
