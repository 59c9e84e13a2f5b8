#include "bank_bytes.h"
#include "library/folder_import.h"
#include "support/message_bytes.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Folders of files as people download them, imported with progress and cancel; an import killed
// half-way and two programs importing into one library at once.

namespace {

struct FolderImport : ::testing::Test {
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("downloads"));
    QString database = dir.filePath(QStringLiteral("library.db"));

    QString in(const char* name) const { return folder + QLatin1Char('/') + QLatin1String(name); }

    std::unique_ptr<Catalogue> open() {
        auto opened = Catalogue::Open(database);
        EXPECT_TRUE(opened.Ok());
        return opened ? std::move(*opened) : nullptr;
    }

    // count banks of 32 voices each, all different.
    void writeBanks(int count) {
        for (int i = 0; i < count; ++i)
            WriteFile(in("banks/") + QStringLiteral("BANK%1.SYX").arg(i, 4, 10, QLatin1Char('0')),
                      BankBytes::ToQt(BankBytes::BankMessage(BankBytes::BankData(true, 32 * i))));
    }
};

TEST_F(FolderImport, BadFilesAreListedAtTheEndAndTheRestKept) {
    WriteFile(in("a/Bank1.syx"),
              BankBytes::ToQt(BankBytes::BankMessage(BankBytes::BankData(false))));
    WriteFile(in("a/b/Tx81z.SYX"),
              BankBytes::ToQt(MessageBytes::Join(
                  {MessageBytes::AdditionalVoice(1), MessageBytes::VoiceBlock(1)})));
    WriteFile(in("multi.syx"), BankBytes::ToQt(MessageBytes::Join(
                                   {MessageBytes::MultiBlock(), MessageBytes::Effect(0, 0, 0)})));
    WriteFile(in("notes.syx"), "my favourite banks\n");
    WriteFile(in("readme.txt"), "not looked at");
    ASSERT_EQ(::mkfifo(QFile::encodeName(in("fifo.syx")).constData(), 0600), 0);
    QDir().mkpath(in("folder.syx"));
    ASSERT_TRUE(QFile::link(folder, in("a/loop"))); // a walk that followed it would never end

    const auto catalogue = open();
    QStringList seen;
    const ImportReport report =
        ImportFolder(*catalogue, folder, {}, [&](const ImportProgress& progress) {
            seen << QStringLiteral("%1/%2 %3")
                        .arg(progress.filesDone)
                        .arg(progress.filesTotal)
                        .arg(progress.voicesAdded);
            return true;
        });
    EXPECT_FALSE(report.error);
    EXPECT_FALSE(report.cancelled);
    EXPECT_EQ(report.filesRead, 2);
    EXPECT_EQ(report.voicesAdded, 33);
    EXPECT_EQ(seen, QStringList({QStringLiteral("1/5 32"), QStringLiteral("2/5 33"),
                                 QStringLiteral("3/5 33"), QStringLiteral("4/5 33"),
                                 QStringLiteral("5/5 33")}));
    ASSERT_EQ(report.skipped.size(), 3u);
    EXPECT_EQ(report.skipped[0].path, in("fifo.syx"));
    EXPECT_EQ(report.skipped[0].reason, QStringLiteral("it is not a regular file"));
    EXPECT_EQ(report.skipped[1].path, in("multi.syx"));
    EXPECT_EQ(report.skipped[1].reason, QStringLiteral("This file holds no TQ5 voice: it is a "
                                                       "multi file, which the Multipart page "
                                                       "loads."));
    EXPECT_EQ(report.skipped[2].reason,
              QStringLiteral("This file holds no TQ5 voice: it is not a SysEx file."));
    EXPECT_EQ(catalogue->Entries()->size(), 33u);

    const ImportReport again = ImportFolder(*catalogue, folder, {});
    EXPECT_EQ(again.voicesAdded, 0);
    EXPECT_EQ(again.duplicates, 33);
    EXPECT_EQ(
        ImportFolder(*catalogue, folder, {Duplicates::Keep, {QStringLiteral("syx")}}).voicesAdded,
        0);
}

TEST_F(FolderImport, CancelKeepsTheFilesDoneBeforeIt) {
    writeBanks(3);
    const auto catalogue = open();
    const ImportReport report =
        ImportFolder(*catalogue, folder, {},
                     [](const ImportProgress& progress) { return progress.filesDone < 2; });
    EXPECT_TRUE(report.cancelled);
    EXPECT_EQ(report.voicesAdded, 64);
    EXPECT_EQ(catalogue->Entries()->size(), 64u);
    // Files named one by one are read whatever their suffix.
    WriteFile(in("bank.dat"), BankBytes::ToQt(BankBytes::BankData(false, 500)));
    EXPECT_EQ(ImportFiles(*catalogue, {in("bank.dat")}, {}).voicesAdded, 32);
}

// The child prints "file N voices M" after each commit.
int voicesAfterLine(const QByteArray& line, int file) {
    static const QRegularExpression pattern(QStringLiteral("^file (\\d+) voices (\\d+)"));
    const auto match = pattern.match(QString::fromLatin1(line));
    return match.hasMatch() && match.captured(1).toInt() == file ? match.captured(2).toInt() : -1;
}

TEST_F(FolderImport, AnImportKilledHalfWayLosesNothingItCommitted) {
    constexpr int Banks = 300;
    writeBanks(Banks);
    QProcess child;
    child.start(QStringLiteral(IMPORT_CHILD), {database, folder});
    ASSERT_TRUE(child.waitForStarted());
    int committed = -1;
    while (committed < 0 && child.waitForReadyRead(10000))
        while (committed < 0 && child.canReadLine())
            committed = voicesAfterLine(child.readLine(), 20);
    ASSERT_EQ(committed, 20 * 32);
    child.kill(); // SIGKILL, in the middle of a later file's transaction or between two
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    const auto catalogue = open();
    ASSERT_TRUE(catalogue);
    const auto entries = catalogue->Entries();
    ASSERT_TRUE(entries.Ok());
    EXPECT_GE(int(entries->size()), committed);
    EXPECT_LT(int(entries->size()), Banks * 32) << "the child ended before it was killed";
    EXPECT_EQ(entries->size() % 32, 0u) << "a file's voices come in whole or not at all";
    for (int i = 0; i < int(entries->size()); ++i) {
        const CatalogueEntry& entry = (*entries)[std::size_t(i)];
        ASSERT_EQ(entry.source,
                  in("banks/") + QStringLiteral("BANK%1.SYX").arg(i / 32, 4, 10, QLatin1Char('0')));
        ASSERT_EQ(*catalogue->VoiceOf(entry.id), BankBytes::Expected(i, true)) << i;
    }
    // Importing again finishes the job: nothing twice, nothing missing.
    EXPECT_FALSE(ImportFolder(*catalogue, folder, {}).error);
    EXPECT_EQ(catalogue->Entries()->size(), std::size_t(Banks * 32));
}

TEST_F(FolderImport, TwoProgramsImportingIntoOneLibraryAtOnceKeepItWhole) {
    constexpr int Banks = 60;
    writeBanks(Banks);
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(IMPORT_CHILD), {database, folder});
    second.start(QStringLiteral(IMPORT_CHILD), {database, folder});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().constData();
    const auto catalogue = open();
    ASSERT_TRUE(catalogue);
    // The same files from both: each voice once, as if one had imported them.
    EXPECT_EQ(catalogue->Entries()->size(), std::size_t(Banks * 32));
}

} // namespace
