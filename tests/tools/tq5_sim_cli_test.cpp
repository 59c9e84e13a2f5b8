#include "support/program_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

ProgramRun tq5sim(const QStringList& arguments) {
    return RunProgram(QStringLiteral(TQ5_SIM), arguments, {}, 10000);
}

TEST(Tq5SimCommandLine, HelpExplainsOptionsCommandsPortsAndLog) {
    const ProgramRun run = tq5sim({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* text : {"--api", "--name", "--voice", "--multi", "--log", "program N", "dump",
                             "quit", "SIGTERM", ":MIDI Out", " In:MIDI In", "\"change\""})
        EXPECT_TRUE(run.Out().contains(QLatin1String(text))) << text;
}

TEST(Tq5SimCommandLine, RefusesWhatItCannotUseWithAClearMessage) {
    ProgramRun run = tq5sim({QStringLiteral("--api"), QStringLiteral("coreaudio")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.Err().trimmed(),
              QStringLiteral("tq5-sim: --api takes alsa or jack, not \"coreaudio\""));

    run = tq5sim({QStringLiteral("--voice"), QStringLiteral("/nonexistent/Bass.SYX")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Err().startsWith(QStringLiteral("tq5-sim: cannot read /nonexistent/Bass.SYX")))
        << run.Err().toStdString();

    run = tq5sim({QStringLiteral("--multi"), QStringLiteral(MARROWLINK_EXAMPLES "/BrightEP.SYX")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.Err().contains(QStringLiteral("is no multi file: no valid multi block message")))
        << run.Err().toStdString();
}

TEST(Tq5SimCommandLine, EndlessFilesAreTooLarge) {
    for (const char* option : {"--voice", "--multi"}) {
        const ProgramRun run = RunProgramBounded(
            QStringLiteral(TQ5_SIM), {QLatin1String(option), QStringLiteral("/dev/zero")});
        EXPECT_EQ(run.exitCode, 1) << option;
        EXPECT_EQ(run.Err().trimmed(), QStringLiteral("tq5-sim: /dev/zero is too large for a sound "
                                                      "file (more than 65536 bytes)"))
            << option;
    }
}

// A voice file whose name is not UTF-8 (octal 351, a Latin-1 e acute) is found and read; the
// simulator then goes on to its MIDI ports.
TEST(Tq5SimCommandLine, FileNamesThatAreNotUtf8AreFound) {
    QTemporaryDir dir;
    QFile voice(QStringLiteral(MARROWLINK_EXAMPLES "/BrightEP.SYX"));
    ASSERT_TRUE(voice.open(QIODevice::ReadOnly));
    const QByteArray bytes = voice.readAll();
    const QByteArray name = QFile::encodeName(dir.path()) + "/voice\xE9.SYX";
    FILE* file = std::fopen(name.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file);
    std::fclose(file);
    const ProgramRun run = RunShell(
        QStringLiteral(TQ5_SIM),
        QStringLiteral("cd '%1' && \"$0\" --voice \"$(printf 'voice\\351.SYX')\" </dev/null")
            .arg(dir.path()));
    EXPECT_FALSE(run.Err().contains(QStringLiteral("cannot read"))) << run.err.constData();
    EXPECT_FALSE(run.Err().contains(QStringLiteral("no patch file"))) << run.err.constData();
    std::remove(name.constData()); // Qt could not name it to remove the folder
}

} // namespace
