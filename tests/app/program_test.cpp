#include "support/program_run.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
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

} // namespace
