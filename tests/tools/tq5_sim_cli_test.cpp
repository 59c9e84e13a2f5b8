#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct SimRun {
    int exitCode;
    QString out;
    QString err;
};

SimRun tq5sim(const QStringList& arguments) {
    QProcess sim;
    sim.start(QStringLiteral(TQ5_SIM), arguments);
    sim.closeWriteChannel();
    EXPECT_TRUE(sim.waitForFinished(10000));
    return {sim.exitCode(), QString::fromUtf8(sim.readAllStandardOutput()),
            QString::fromUtf8(sim.readAllStandardError())};
}

TEST(Tq5SimCommandLine, HelpExplainsOptionsCommandsPortsAndLog) {
    const SimRun run = tq5sim({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* text : {"--api", "--name", "--voice", "--multi", "--log", "program N", "dump",
                             "quit", "SIGTERM", ":MIDI Out", " In:MIDI In", "\"change\""})
        EXPECT_TRUE(run.out.contains(QLatin1String(text))) << text;
}

TEST(Tq5SimCommandLine, RefusesWhatItCannotUseWithAClearMessage) {
    SimRun run = tq5sim({QStringLiteral("--api"), QStringLiteral("coreaudio")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.trimmed(),
              QStringLiteral("tq5-sim: --api takes alsa or jack, not \"coreaudio\""));

    run = tq5sim({QStringLiteral("--voice"), QStringLiteral("/nonexistent/Bass.SYX")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("tq5-sim: cannot read /nonexistent/Bass.SYX")))
        << run.err.toStdString();

    run = tq5sim({QStringLiteral("--multi"), QStringLiteral(TQ5_SIM)});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("is no multi file: no valid multi block message")))
        << run.err.toStdString();
}

} // namespace
