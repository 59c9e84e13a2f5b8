#include "support/program_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

ProgramRun bcrSim(const QStringList& arguments) {
    return RunProgram(QStringLiteral(BCR_SIM), arguments, {}, 10000);
}

// The lines as preset messages numbered from 0, to any device, to the BCR2000 (15) or any model.
QByteArray presetLines(const QStringList& lines, char model = 0x15) {
    QByteArray bytes;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        bytes += QByteArray::fromHex("F0 00 20 32 7F") + model + char(0x20) + char(index >> 7) +
                 char(index & 0x7F) + lines[index].toLatin1() + char(0xF7);
    }
    return bytes;
}

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
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

TEST(BcrSimCommandLine, LoadsPresetsOfEveryKindTheUnitTakes) {
    // Two files, the second to any model: comments, empty lines, every element type, .tx and a
    // store all load; then it runs (input closed, it ends) or, with no JACK server, stops there.
    QTemporaryDir dir;
    const QString first = writeFile(
        dir, "first.syx",
        presetLines({"$rev R1", "$preset", "  .name 'Hand written' ; a comment", "  .init", "",
                     "$encoder 1", "  .easypar NRPN 1 1000 0 16383 absolute/14", "$encoder 2",
                     "  .easypar CC 1 16 0 127 relative-3", "$encoder 3", "  .minmax 0 7",
                     "  .tx $F0 $41 $10 val cks-1 2 $F7", "$button 1",
                     "  .easypar NOTE 1 36 100 toggleoff", "$button 2", "  .easypar PC 1 off 2 5",
                     "$store 1", "$end"}));
    const QString second = writeFile(
        dir, "second.syx", presetLines({"$rev R", "$global", ".midimode S-4", "$end"}, 0x7F));
    const ProgramRun run =
        bcrSim({QStringLiteral("--api"), QStringLiteral("jack"), QStringLiteral("--name"),
                QStringLiteral("bcr-sim-load-test"), first, second});
    EXPECT_FALSE(run.Err().contains(QLatin1String("refused"))) << run.Err().toStdString();
    EXPECT_TRUE(run.exitCode == 0 || run.Err().contains(QLatin1String("bcr-sim: MidiOutJack")))
        << run.Err().toStdString();

    // A refused line is named with its text, comment and all.
    const QString bad =
        writeFile(dir, "bad.syx",
                  presetLines({"$rev R1", "$button 1", ".easypar NOTE 1 36 100 increment 1 ; up"}));
    EXPECT_EQ(bcrSim({bad}).Err(),
              QStringLiteral("bcr-sim: %1: line 2 \".easypar NOTE 1 36 100 increment 1 ; up\" "
                             "refused: 13 (not allowed here)\n")
                  .arg(bad));
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
