#include "support/program_run.h"

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

    run = tq5sim({QStringLiteral("--multi"), QStringLiteral(TQ5_SIM)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.Err().contains(QStringLiteral("is no multi file: no valid multi block message")))
        << run.Err().toStdString();
}

} // namespace
