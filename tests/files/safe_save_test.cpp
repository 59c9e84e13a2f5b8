#include "files/safe_save.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct SafeSaving : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    static void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(SafeSaving, TheBackupReplacesTheLastThreeCharactersWithBak) {
    EXPECT_EQ(QFileInfo(SafeSave::BackupPath(path("Bass.SYX"))).fileName(), "Bass.BAK");
    EXPECT_EQ(QFileInfo(SafeSave::BackupPath(path("ab"))).fileName(), "ab.BAK");
    write(path("Bass.SYX"), "new");
    write(path("Bass.BAK"), "older backup");
    EXPECT_EQ(SafeSave::MakeBackup(path("Bass.SYX")), std::nullopt);
    EXPECT_EQ(read(path("Bass.BAK")), "new");
    EXPECT_TRUE(SafeSave::MakeBackup(path("Gone.SYX"))->contains("Gone.SYX"));
}

TEST_F(SafeSaving, AFileNamedLikeABackupIsBackedUpUnderAnotherName) {
    EXPECT_EQ(QFileInfo(SafeSave::BackupPath(path("Bass.BAK"))).fileName(), "Bass.BAK.BAK");
    EXPECT_EQ(QFileInfo(SafeSave::BackupPath(path("Bass.bak"))).fileName(), "Bass.bak.BAK");
    EXPECT_EQ(QFileInfo(SafeSave::BackupPath(path("BAK"))).fileName(), "BAK.BAK");
    write(path("Bass.BAK"), "the only copy");
    EXPECT_EQ(SafeSave::MakeBackup(path("Bass.BAK")), std::nullopt);
    EXPECT_EQ(read(path("Bass.BAK.BAK")), "the only copy");
}

TEST_F(SafeSaving, WhatIsNotARegularFileIsNeitherBackedUpNorReplaced) {
    const QString fifo = path("pipe.SYX");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(SafeSave::Unreplaceable(fifo), QStringLiteral("it is not a regular file"));
    EXPECT_EQ(SafeSave::Unreplaceable(path("new.SYX")), std::nullopt);
    EXPECT_NE(SafeSave::MakeBackup(fifo), std::nullopt); // without waiting for a writer
    EXPECT_NE(SafeSave::WriteAtomically(fifo, "x"), std::nullopt);
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    EXPECT_FALSE(QFileInfo::exists(path("pipe.BAK")));
}

TEST_F(SafeSaving, AnAtomicWriteReplacesWholeOrLeavesEverythingAsItWas) {
    write(path("Live.SYX"), "old");
    EXPECT_EQ(SafeSave::WriteAtomically(path("Live.SYX"), "new contents"), std::nullopt);
    EXPECT_EQ(read(path("Live.SYX")), "new contents");
    EXPECT_NE(SafeSave::WriteAtomically(path("no/folder/Live.SYX"), "x"), std::nullopt);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Live.SYX")});
}

// The system's file layer, but for the one step that fails with the chosen reason, as a full disk,
// a failing drive or a network file system would. Writes may also be cut short or interrupted.
struct FailingFiles : FileLayer {
    enum class Step { Nothing, Create, Mode, Write, Sync, Close, Rename };

    bool fails(Step step) const {
        errno = error;
        return step == failing;
    }
    int CreateUnique(QByteArray& name) override {
        return fails(Step::Create) ? -1 : FileLayer::CreateUnique(name);
    }
    int SetMode(int fd, mode_t mode) override {
        return fails(Step::Mode) ? -1 : FileLayer::SetMode(fd, mode);
    }
    ssize_t Write(int fd, const char* bytes, std::size_t count) override {
        if (interruptions > 0) {
            --interruptions;
            errno = EINTR;
            return -1;
        }
        return fails(Step::Write) ? -1 : FileLayer::Write(fd, bytes, std::min(count, longestWrite));
    }
    int Sync(int fd) override { return fails(Step::Sync) ? -1 : FileLayer::Sync(fd); }
    int Close(int fd) override {
        const int closed = FileLayer::Close(fd);
        return fails(Step::Close) ? -1 : closed;
    }
    int Rename(const QByteArray& from, const QByteArray& to) override {
        return fails(Step::Rename) ? -1 : FileLayer::Rename(from, to);
    }

    Step failing = Step::Nothing;
    int error = 0;
    int interruptions = 0;
    std::size_t longestWrite = std::size_t(-1);
};

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

TEST_F(SafeSaving, AFailureAtAnyStepIsReportedAndKeepsTheOldFile) {
    const std::pair<FailingFiles::Step, int> failures[] = {
        {FailingFiles::Step::Create, EACCES}, {FailingFiles::Step::Mode, EPERM},
        {FailingFiles::Step::Write, ENOSPC},  {FailingFiles::Step::Sync, EIO},
        {FailingFiles::Step::Close, EDQUOT},  {FailingFiles::Step::Rename, EBUSY},
    };
    write(path("Live.SYX"), "old");
    for (const auto& [step, error] : failures) {
        SCOPED_TRACE(int(step));
        FailingFiles files;
        files.failing = step;
        files.error = error;
        EXPECT_EQ(SafeSave::WriteAtomically(files, native(path("Live.SYX")), "new contents"),
                  QString::fromLocal8Bit(std::strerror(error)));
        EXPECT_EQ(read(path("Live.SYX")), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Live.SYX")});
    }
}

TEST_F(SafeSaving, ShortAndInterruptedWritesGoOnWhereTheyStopped) {
    FailingFiles files;
    files.longestWrite = 7;
    files.interruptions = 2;
    const QByteArray bytes(191, '\x5D');
    EXPECT_EQ(SafeSave::WriteAtomically(files, native(path("Bass.SYX")), bytes), std::nullopt);
    EXPECT_EQ(read(path("Bass.SYX")), bytes);
}

TEST_F(SafeSaving, ABackupThatCannotBeWrittenIsReportedAndLeavesNone) {
    write(path("Bass.SYX"), "the only copy");
    FailingFiles files;
    files.failing = FailingFiles::Step::Write;
    files.error = ENOSPC;
    EXPECT_EQ(
        SafeSave::MakeBackup(files, path("Bass.SYX")),
        QStringLiteral("Cannot make the backup %1: No space left on device").arg(path("Bass.BAK")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Bass.SYX")});
    EXPECT_EQ(read(path("Bass.SYX")), "the only copy");
}

TEST_F(SafeSaving, AReplacedFileKeepsItsModeAndALinkKeepsPointingAtIt) {
    write(path("Bass.SYX"), "old");
    ASSERT_TRUE(QFile::setPermissions(path("Bass.SYX"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(path("Bass.SYX"), path("Link.SYX")));
    EXPECT_EQ(SafeSave::WriteAtomically(path("Link.SYX"), "new"), std::nullopt);
    EXPECT_EQ(QFileInfo(path("Link.SYX")).symLinkTarget(), path("Bass.SYX"));
    EXPECT_EQ(read(path("Bass.SYX")), "new");
    struct stat status {};
    ASSERT_EQ(::stat(native(path("Bass.SYX")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    const mode_t mask = ::umask(027);
    EXPECT_EQ(SafeSave::WriteAtomically(path("New.SYX"), "new"), std::nullopt);
    ::umask(mask);
    ASSERT_EQ(::stat(native(path("New.SYX")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// A disk filled up but for the file that is saved over.
struct FullDiskSaving : SafeSaving {
    void SetUp() override {
        if (!disk.Mounted())
            GTEST_SKIP() << disk.Problem().toStdString();
        write(path("keep.SYX"), "the only copy");
        ASSERT_TRUE(disk.Fill());
    }
    QStringList files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    FullDisk disk{dir.path()};
};

TEST_F(FullDiskSaving, ASaveThatDoesNotFitIsReportedAndKeepsTheOldFile) {
    const auto error = SafeSave::WriteAtomically(path("keep.SYX"), QByteArray(191, '\x7F'));
    ASSERT_NE(error, std::nullopt);
    EXPECT_EQ(*error, QStringLiteral("No space left on device"));
    EXPECT_EQ(read(path("keep.SYX")), "the only copy");
    EXPECT_EQ(files(), QStringList({QStringLiteral("filler"), QStringLiteral("keep.SYX")}));
}

TEST_F(FullDiskSaving, ABackupThatDoesNotFitIsReportedAndLeavesNoBackup) {
    const auto error = SafeSave::MakeBackup(path("keep.SYX"));
    ASSERT_NE(error, std::nullopt);
    EXPECT_TRUE(error->endsWith(QStringLiteral("keep.BAK: No space left on device")))
        << error->toStdString();
    EXPECT_EQ(files(), QStringList({QStringLiteral("filler"), QStringLiteral("keep.SYX")}));
}

} // namespace
