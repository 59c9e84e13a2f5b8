#include "named_files.h"
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

TEST(CommandLine, TheUsageNamesTheProgram) {
    for (const Program& program : Programs) {
        const ProgramRun help = RunProgram(QString::fromLatin1(program.path), {"--help"});
        EXPECT_TRUE(help.Out().startsWith(
            QStringLiteral("Usage: %1 [options]").arg(QLatin1String(program.name))))
            << help.out.left(80).constData();
    }
}

// What a program prints is its result: when it cannot be written, the program fails.
TEST(CommandLine, StandardOutputThatCannotBeWrittenEndsWithCode2) {
    for (const Program& program : Programs) {
        const ProgramRun help =
            RunShell(QString::fromLatin1(program.path), QStringLiteral("\"$0\" --help >/dev/full"));
        EXPECT_EQ(help.exitCode, 2) << program.name;
        EXPECT_EQ(help.Err().toStdString(),
                  std::string(program.name) +
                      ": cannot write to standard output: No space left on device\n");
    }
}

// Names are bytes: whatever a program is given comes back byte for byte; UTF-8 reads as text.
TEST(FileNames, EveryByteStringComesBackUnchanged) {
    std::vector<QByteArray> samples = {"Bass.SYX",         "Caf\xC3\xA9", "\xF0\x9F\x8E\xB9 keys",
                                       "out\xE9.SYX",      "\xC0\x80",    "\xED\xA0\x80",
                                       "\xF4\x90\x80\x80", "\xE2\x82",    "\xE2\x82\xAC\x80",
                                       "\xFF\xFE\xFD"};
    for (int byte = 1; byte < 256; ++byte)
        samples.push_back(QByteArray(1, char(byte)));
    for (const QByteArray& bytes : samples) {
        const QString text = ArgumentText(bytes.constData());
        EXPECT_EQ(FileNameBytes(text), bytes) << bytes.toHex().constData();
        if (QString::fromUtf8(bytes).toUtf8() == bytes) {
            EXPECT_EQ(text, QString::fromUtf8(bytes)) << bytes.toHex().constData();
        }
    }
}

} // namespace
