#include "support/program_run.h"

#include <gtest/gtest.h>

namespace {

struct Program {
    const char* name;
    const char* path;
};

constexpr Program Programs[] = {{"tq5syx", TQ5SYX_PROGRAM},
                                {"tq5-sim", TQ5_SIM},
                                {"marrowlink-bridge", MARROWLINK_BRIDGE},
                                {"bcr-presets", BCR_PRESETS},
                                {"bcr-sim", BCR_SIM}};

// The programs share one style: --version and --help on standard output with code 0, a bad
// argument as one line "program: message" on standard error with code 2.
TEST(CommandLine, EveryProgramSpeaksTheSameWay) {
    for (const Program& program : Programs) {
        SCOPED_TRACE(program.name);
        const QString name = QString::fromLatin1(program.name);
        const ProgramRun version = RunProgram(QString::fromLatin1(program.path), {"--version"});
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.Out(), name + QStringLiteral(" 0.1\n"));

        const ProgramRun help = RunProgram(QString::fromLatin1(program.path), {"--help"});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.Out().contains(QStringLiteral("--version")));
        EXPECT_TRUE(help.err.isEmpty());

        const ProgramRun bad = RunProgram(QString::fromLatin1(program.path), {"--no-such-option"});
        EXPECT_EQ(bad.exitCode, 2);
        ASSERT_EQ(bad.ErrLines().size(), 1) << bad.err.constData();
        EXPECT_TRUE(bad.ErrLines()[0].startsWith(name + QStringLiteral(": ")));
        EXPECT_TRUE(bad.out.isEmpty());
    }
}

} // namespace
