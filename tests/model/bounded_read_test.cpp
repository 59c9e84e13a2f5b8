#include "model/bounded_read.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct OpeningFiles : ::testing::Test {
    QTemporaryDir dir;
    QByteArray path(const char* name) const {
        return QFile::encodeName(dir.filePath(QString::fromLatin1(name)));
    }
    QByteArray fifo() const {
        const QByteArray fifo = path("pipe");
        EXPECT_EQ(::mkfifo(fifo.constData(), 0600), 0);
        return fifo;
    }
};

TEST_F(OpeningFiles, ARegularFileOrALinkToOneIsRead) {
    QFile file(QFile::decodeName(path("names.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Brass 1\r\n");
    file.close();
    ASSERT_TRUE(QFile::link(file.fileName(), QFile::decodeName(path("link.txt"))));
    for (const char* name : {"names.txt", "link.txt"}) {
        const OpenedFile opened = OpenWithoutWaiting(path(name), FileKinds::RegularOnly);
        ASSERT_TRUE(opened.file) << name;
        EXPECT_EQ(opened.file->readAll(), "Brass 1\r\n");
        EXPECT_TRUE(opened.problem.isEmpty());
    }
}

TEST_F(OpeningFiles, WhatCannotBeReadSaysWhy) {
    const OpenedFile missing = OpenRegularFile(dir.filePath(QStringLiteral("none.txt")));
    EXPECT_FALSE(missing.file);
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.problem, QStringLiteral("no such file"));

    const OpenedFile folder = OpenWithoutWaiting(QFile::encodeName(dir.path()), FileKinds::Any);
    EXPECT_FALSE(folder.file);
    EXPECT_FALSE(folder.missing);
    EXPECT_EQ(folder.problem, QStringLiteral("it is a directory, not a file"));

    for (const QByteArray& device : {QByteArray("/dev/zero"), fifo()}) {
        const OpenedFile refused = OpenWithoutWaiting(device, FileKinds::RegularOnly);
        EXPECT_FALSE(refused.file) << device.constData();
        EXPECT_FALSE(refused.missing);
        EXPECT_EQ(refused.problem, QStringLiteral("it is not a regular file"));
        EXPECT_FALSE(OpenWithoutWaiting(device, FileKinds::RegularOrStandardInput).file);
    }
}

// Opening a FIFO for reading waits for a writer, for good if none comes: it is opened without
// waiting, and with no writer it ends at once.
TEST_F(OpeningFiles, AFifoTakenByChoiceOpensAtOnceAndEndsWithoutAWriter) {
    const OpenedFile opened = OpenWithoutWaiting(fifo(), FileKinds::Any);
    ASSERT_TRUE(opened.file);
    EXPECT_TRUE(opened.file->readAll().isEmpty());
}

} // namespace
