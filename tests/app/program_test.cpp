#include "support/program_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

TEST(EditorProgram, ScreenshotsShowEachPageOfTheDemoWithOperatorOneSelected) {
    QTemporaryDir dir;
    const QString shots = dir.filePath(QStringLiteral("shots"));
    const ProgramRun run = RunProgram(
        QStringLiteral(MARROWLINK_PROGRAM),
        {"--demo", "--settings", dir.filePath(QStringLiteral("demo.INI")), "--screenshot", shots});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    for (const char* page : {"patch.png", "multipart.png", "setup.png"}) {
        const QImage picture(QDir(shots).filePath(QString::fromLatin1(page)));
        EXPECT_EQ(picture.size(), QSize(966, 714)) << page;
    }
    EXPECT_EQ(QImage(QDir(shots).filePath(QStringLiteral("splash.png"))).size(), QSize(779, 563));

    // Operator 1's panel, right of its wave picture at the top of the operator panel, is yellow:
    // the demo's synth has answered and operator 1 is selected.
    const QImage patch(QDir(shots).filePath(QStringLiteral("patch.png")));
    int yellow = 0;
    for (int y = 60; y < 150; ++y)
        yellow += patch.pixelColor(912, y) == QColor(Qt::yellow);
    EXPECT_GT(yellow, 40);
    const QImage multipart(QDir(shots).filePath(QStringLiteral("multipart.png")));
    EXPECT_NE(multipart, patch);
}

TEST(EditorProgram, RefusesABadCommandLineInOneLine) {
    const ProgramRun run = RunProgram(QStringLiteral(MARROWLINK_PROGRAM), {"--api", "coreaudio"});
    EXPECT_EQ(run.exitCode, 2);
    // (Qt may say something of its own first, about the machine's runtime folder.)
    ASSERT_FALSE(run.ErrLines().isEmpty());
    EXPECT_EQ(run.ErrLines().last(),
              QStringLiteral("marrowlink: --api takes alsa, jack or virtual, not \"coreaudio\""));
}

// A desktop's logout (SIGTERM), Ctrl+C in the terminal (SIGINT) and a closed terminal (SIGHUP)
// end the window as closing it does: its shut-down stores the modulation group, which nothing else
// writes.
TEST(EditorProgram, EachQuittingSignalRunsTheShutDownAndEndsWithCode0) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QTemporaryDir dir;
        QFile settings(dir.filePath(QStringLiteral("marrowlink.INI")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[MidiDevices]\nInput=TQ5 Simulator\nOutput=TQ5 Simulator\n"
                       "CtrlInput=Virtual Controller\nCtrlOutput=Virtual Controller\n");
        settings.close();
        const auto stored = [&] {
            QFile file(settings.fileName());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QProcess editor;
        editor.start(QStringLiteral(MARROWLINK_PROGRAM),
                     {"--api", "virtual", "--batch", "--settings", settings.fileName()});
        ASSERT_TRUE(editor.waitForStarted(5000));
        // Start-up writes the wheel divider; a moment later the window's loop runs.
        for (int i = 0; i < 200 && !stored().contains("[MouseWheel]"); ++i)
            QThread::msleep(50);
        ASSERT_TRUE(stored().contains("[MouseWheel]")) << editor.readAllStandardError().data();
        QThread::msleep(300);
        ::kill(pid_t(editor.processId()), signal);
        ASSERT_TRUE(editor.waitForFinished(10000)) << signal;
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(editor.exitCode(), 0) << signal;
        EXPECT_TRUE(stored().contains("[Modulation]\nStart=1\n")) << signal << stored().data();
    }
}

} // namespace
