#include "model/value_names.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(VoiceNames, LineEndsOfEveryKind) {
    EXPECT_EQ(splitVoiceNames("A\r\nB\nC\rD"), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(splitVoiceNames("A\r\n\r\nB\r\n"), (QStringList{"A", "", "B"}));
    EXPECT_EQ(splitVoiceNames("A\n\rB"), (QStringList{"A", "", "B"}));
    EXPECT_TRUE(splitVoiceNames("").isEmpty());
}

TEST(VoiceNames, TextIsKeptAsIsAndEndsAtNul) {
    EXPECT_EQ(splitVoiceNames("  Brass 1  \r\nPiano"), (QStringList{"  Brass 1  ", "Piano"}));
    EXPECT_EQ(splitVoiceNames(QByteArray("One\r\nTw\0o\r\nThree", 16)), (QStringList{"One", "Tw"}));
    const QStringList latin = splitVoiceNames("Caf\xE9");
    EXPECT_EQ(latin, QStringList{QString::fromUtf8("Café")});
}

TEST(VoiceNames, MissingFileGivesAnEmptyList) {
    QTemporaryDir dir;
    EXPECT_TRUE(readVoiceNames(dir.filePath(QStringLiteral("nothing.txt"))).isEmpty());
    EXPECT_TRUE(readVoiceNames(dir.path()).isEmpty()); // a folder is no file
}

TEST(VoiceNames, AFileFarLargerThanAnyListIsNotUsed) {
    QTemporaryDir dir;
    const auto writeNames = [&](const char* name, qint64 size) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size - 2, 'a') + "\r\n");
        return file.fileName();
    };
    const QString largest = writeNames("USERNames.txt", MaxVoiceNameFileBytes);
    QString problem;
    EXPECT_EQ(readVoiceNames(largest, &problem).size(), 1);
    EXPECT_TRUE(problem.isEmpty());

    const QString larger = writeNames("ROMNames.txt", MaxVoiceNameFileBytes + 1);
    EXPECT_TRUE(readVoiceNames(larger, &problem).isEmpty());
    EXPECT_EQ(problem.toStdString(), "The voice-name file " + larger.toStdString() +
                                         " is too large (more than 65536 bytes); its names are "
                                         "not used.");
    ValueNameLists lists;
    lists.Build(QDir(dir.path()));
    EXPECT_TRUE(lists.RomVoiceNames.isEmpty());
    EXPECT_EQ(lists.UserVoiceNames.size(), 1);
    EXPECT_EQ(lists.ReadProblems, QStringList{problem});
}

TEST(SharedLists, SizesAndEnds) {
    ValueNameLists lists;
    lists.Build(QDir(QStringLiteral("/nonexistent")));
    EXPECT_EQ(lists.ChannelNames.size(), 18);
    EXPECT_EQ(lists.ChannelNames.last(), QStringLiteral("Off"));
    EXPECT_EQ(lists.Bias50Names.first(), QStringLiteral("-50"));
    EXPECT_EQ(lists.Tune64Names.size(), 129);
    EXPECT_EQ(lists.Detune7Names.size(), 15);
    EXPECT_EQ(lists.NoteNames.size(), 128);
    EXPECT_EQ(lists.NoteNames.first(), QStringLiteral("C-2"));
    EXPECT_EQ(lists.NoteNames.last(), QStringLiteral("G8"));
    EXPECT_EQ(lists.CardNumbers.value(99), QStringLiteral("Card 100"));
    EXPECT_TRUE(lists.RomVoiceNames.isEmpty());
}

} // namespace
