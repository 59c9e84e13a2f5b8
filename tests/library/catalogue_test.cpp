#include "files/patch_bytes.h"
#include "library/catalogue.h"
#include "library/voice_file_reader.h"
#include "test_files.h"
#include "writable_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The catalogue on a real SQLite file: what a voice keeps, duplicates, the user's choices across
// imports, and files it must refuse and leave as they are.

namespace {

ImportedVoice imported(const QString& name, int position, int attack = 5) {
    Voice voice;
    voice.SetName(name);
    voice.Set(VoiceParam::Op(0, OpField::AR), attack);
    voice.Set(*VoiceParam::Single(24), 3);
    return {voice, position, SourceFormat::Tx81zBank, {}};
}

struct CatalogueTest : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("library.db"));
    QString bank = dir.filePath(QStringLiteral("Bank1.SYX"));

    std::unique_ptr<Catalogue> open() {
        auto opened = Catalogue::Open(path, {200});
        EXPECT_TRUE(opened.Ok()) << (opened ? "" : qPrintable(opened.Error().text));
        return opened ? std::move(*opened) : nullptr;
    }

    // Runs one statement on the file behind the catalogue's back; its first value.
    static QVariant sql(const QString& statement, const QString& file) {
        QVariant value;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("behind"));
            db.setDatabaseName(file);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(statement)) << qPrintable(statement);
            if (query.next())
                value = query.value(0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("behind"));
        return value;
    }

    CatalogueError::Kind refusal(const QString& file) {
        const auto opened = Catalogue::Open(file, {200});
        EXPECT_FALSE(opened.Ok());
        return opened ? CatalogueError::Kind::Failed : opened.Error().kind;
    }
};

TEST_F(CatalogueTest, AVoiceKeepsItsSoundNameSourceAndDates) {
    auto catalogue = open();
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const auto added =
        catalogue->Add(bank, {imported(QStringLiteral("Funky Bass"), 7, 12)}, Duplicates::Skip);
    ASSERT_TRUE(added.Ok());
    EXPECT_EQ(added->added, 1);

    const auto entries = catalogue->Entries();
    ASSERT_TRUE(entries.Ok());
    ASSERT_EQ(entries->size(), 1u);
    const CatalogueEntry& entry = entries->front();
    EXPECT_EQ(entry.name, QStringLiteral("Funky Bass"));
    EXPECT_EQ(entry.category, QStringLiteral("Bass"));
    EXPECT_FALSE(entry.userCategory);
    EXPECT_EQ(entry.algorithm, 3);
    EXPECT_EQ(entry.source, bank);
    EXPECT_EQ(entry.position, 7);
    EXPECT_EQ(entry.format, QStringLiteral("TX81Z/DX11 bank"));
    EXPECT_GE(entry.imported.toSecsSinceEpoch(), before);
    EXPECT_LE(entry.imported.toSecsSinceEpoch(), QDateTime::currentSecsSinceEpoch());
    EXPECT_FALSE(entry.favourite);
    EXPECT_TRUE(entry.tags.isEmpty());
    EXPECT_EQ(entry.fingerprint, imported(QString(), 0, 12).voice.Fingerprint());

    const auto voice = catalogue->VoiceOf(entry.id);
    ASSERT_TRUE(voice.Ok());
    EXPECT_EQ(*voice, imported(QStringLiteral("Funky Bass"), 7, 12).voice);

    // The bytes are the voice's patch file, and they outlive the program.
    catalogue.reset();
    EXPECT_EQ(sql(QStringLiteral("SELECT bytes FROM voice"), path).toByteArray(),
              SyxFiles::PatchFileBytes(*voice));
    EXPECT_EQ(open()->Entries()->size(), 1u);
}

TEST_F(CatalogueTest, ExactDuplicatesAreSkippedOrKeptAndAFileAgainAddsNothing) {
    const auto catalogue = open();
    const std::vector<ImportedVoice> voices{imported(QStringLiteral("Brass 1"), 1),
                                            imported(QStringLiteral("Brass 1"), 2),
                                            imported(QStringLiteral("Horns"), 3)};
    const auto first = catalogue->Add(bank, voices, Duplicates::Skip);
    EXPECT_EQ(first->added, 2); // the second Brass 1 is the first again
    EXPECT_EQ(first->duplicates, 1);
    const auto again = catalogue->Add(bank, voices, Duplicates::Skip);
    EXPECT_EQ(again->added, 0);
    EXPECT_EQ(again->duplicates, 3);

    // Kept: the copy from another file comes in, the same file again still adds nothing.
    const QString other = dir.filePath(QStringLiteral("Bank2.SYX"));
    EXPECT_EQ(catalogue->Add(other, voices, Duplicates::Keep)->added, 3);
    EXPECT_EQ(catalogue->Add(other, voices, Duplicates::Keep)->added, 0);
    EXPECT_EQ(catalogue->Entries()->size(), 5u);

    // "Horns" is the same sound as "Brass 1" under another name: one sound, five copies.
    const auto copies = catalogue->Copies(voices[0].voice.Fingerprint());
    ASSERT_TRUE(copies.Ok());
    ASSERT_EQ(copies->size(), 5u);
    EXPECT_EQ(copies->front().source, bank);
    EXPECT_EQ(copies->back().source, other);
    EXPECT_TRUE(catalogue->Copies(imported(QString(), 0, 30).voice.Fingerprint())->empty());
}

TEST_F(CatalogueTest, TheUsersChoicesWinAndSurviveAnotherImport) {
    const auto catalogue = open();
    const std::vector<ImportedVoice> voices{imported(QStringLiteral("Str Pad"), 1)};
    catalogue->Add(bank, voices, Duplicates::Skip);
    const qint64 id = catalogue->Entries()->front().id;
    EXPECT_EQ(catalogue->Entries()->front().category, QStringLiteral("Strings"));

    EXPECT_FALSE(catalogue->SetCategory(id, QStringLiteral("Pad")));
    EXPECT_FALSE(catalogue->SetTags(
        id, {QStringLiteral("warm"), QStringLiteral(" slow "), QStringLiteral("warm"), QString()}));
    EXPECT_FALSE(catalogue->SetFavourite(id, true));
    EXPECT_FALSE(catalogue->SetComment(id, QStringLiteral("from the 1987 tour")));
    catalogue->Add(bank, voices, Duplicates::Skip);
    catalogue->Add(bank, voices, Duplicates::Keep);

    CatalogueEntry entry = *catalogue->Entry(id);
    EXPECT_EQ(catalogue->Entries()->size(), 1u);
    EXPECT_EQ(entry.category, QStringLiteral("Pad"));
    EXPECT_TRUE(entry.userCategory);
    EXPECT_EQ(entry.tags, QStringList({QStringLiteral("warm"), QStringLiteral("slow")}));
    EXPECT_TRUE(entry.favourite);
    EXPECT_EQ(entry.comment, QStringLiteral("from the 1987 tour"));

    // A new name changes the name's category, not the user's; an empty choice gives it back.
    EXPECT_FALSE(catalogue->Rename(id, QStringLiteral("Brass Sect")));
    entry = *catalogue->Entry(id);
    EXPECT_EQ(entry.name, QStringLiteral("Brass Sect"));
    EXPECT_EQ(entry.category, QStringLiteral("Pad"));
    EXPECT_EQ(catalogue->VoiceOf(id)->Name(), QStringLiteral("Brass Sect"));
    EXPECT_FALSE(catalogue->SetCategory(id, QString()));
    EXPECT_EQ(catalogue->Entry(id)->category, QStringLiteral("Brass"));
    EXPECT_FALSE(catalogue->SetTags(id, {}));
    EXPECT_TRUE(catalogue->Entry(id)->tags.isEmpty());
}

TEST_F(CatalogueTest, StoreAndDelete) {
    const auto catalogue = open();
    Voice mine;
    mine.SetName(QStringLiteral("My Edit"));
    mine.Set(*VoiceParam::Single(20), 4); // the effect, which only a patch file keeps
    const auto stored = catalogue->Store(mine);
    ASSERT_TRUE(stored.Ok());
    const CatalogueEntry entry = *catalogue->Entry(*stored);
    EXPECT_EQ(entry.source, QString());
    EXPECT_EQ(entry.position, 0);
    EXPECT_EQ(entry.format, StoredFormat);
    EXPECT_EQ(*catalogue->VoiceOf(*stored), mine);
    // Storing is the user's act: the same voice again is a second entry.
    const auto again = catalogue->Store(mine);
    EXPECT_NE(*again, *stored);
    catalogue->SetTags(*again, {QStringLiteral("x"), QStringLiteral("a")});
    const auto both = catalogue->Entries();
    ASSERT_EQ(both->size(), 2u);
    EXPECT_TRUE((*both)[0].tags.isEmpty());
    EXPECT_EQ((*both)[1].tags, QStringList({QStringLiteral("x"), QStringLiteral("a")}));

    EXPECT_FALSE(catalogue->Delete({*stored, *again}));
    EXPECT_TRUE(catalogue->Entries()->empty());
    const auto missing = catalogue->Entry(*stored);
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Error().text,
              QStringLiteral("The library %1 holds no voice %2.").arg(path).arg(*stored));
    EXPECT_TRUE(catalogue->Rename(*stored, QStringLiteral("Gone")));
    EXPECT_TRUE(catalogue->SetFavourite(*stored, true));
    EXPECT_TRUE(catalogue->SetTags(*stored, {QStringLiteral("x")}));
}

TEST_F(CatalogueTest, TwoCatalogueObjectsOnOneFileSeeEachOthersCommits) {
    const auto first = open();
    const auto second = open();
    first->Add(bank, {imported(QStringLiteral("One"), 1)}, Duplicates::Skip);
    EXPECT_EQ(second->Entries()->size(), 1u);
    EXPECT_EQ(second->Add(bank, {imported(QStringLiteral("One"), 1)}, Duplicates::Skip)->added, 0);
}

TEST_F(CatalogueTest, FilesThatAreNoLibraryOfOursAreRefusedAndLeftAsTheyAre) {
    using Kind = CatalogueError::Kind;
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    WriteFile(text, QByteArray("These are my notes, not a database. ").repeated(20));
    const QByteArray notes = FileContents(text);
    EXPECT_EQ(refusal(text), Kind::NotALibrary);
    EXPECT_EQ(FileContents(text), notes);

    const QString foreign = dir.filePath(QStringLiteral("other.db"));
    sql(QStringLiteral("CREATE TABLE accounts (x)"), foreign);
    const QByteArray other = FileContents(foreign);
    const auto opened = Catalogue::Open(foreign, {200});
    ASSERT_FALSE(opened.Ok());
    EXPECT_EQ(opened.Error().text, QStringLiteral("%1 is another program's database, not a voice "
                                                  "library. It was left as it is.")
                                       .arg(foreign));
    EXPECT_EQ(FileContents(foreign), other);

    open().reset();
    sql(QStringLiteral("PRAGMA user_version = 2"), path);
    EXPECT_EQ(refusal(path), Kind::NewerVersion);

    EXPECT_EQ(refusal(dir.path()), Kind::CannotOpen);
    const QString inNewFolder = dir.filePath(QStringLiteral("new/folder/library.db"));
    EXPECT_TRUE(Catalogue::Open(inNewFolder).Ok());
}

TEST_F(CatalogueTest, ADamagedLibraryIsRefusedAndLeftAsItIs) {
    {
        const auto catalogue = open();
        std::vector<ImportedVoice> many;
        for (int i = 0; i < 300; ++i)
            many.push_back(imported(QStringLiteral("Voice %1").arg(i), i + 1, i % 32));
        catalogue->Add(bank, many, Duplicates::Keep);
    }
    // Checkpointed into the main file by the last close; then pages in its middle are garbage.
    QByteArray bytes = FileContents(path);
    ASSERT_GT(bytes.size(), 40000);
    for (int i = 8192; i < 32768; ++i)
        bytes[i] = char(i * 7);
    WriteFile(path, bytes);
    const auto opened = Catalogue::Open(path, {200});
    ASSERT_FALSE(opened.Ok());
    EXPECT_EQ(opened.Error().kind, CatalogueError::Kind::Damaged);
    EXPECT_TRUE(
        opened.Error().text.startsWith(QStringLiteral("The library %1 is damaged (").arg(path)))
        << qPrintable(opened.Error().text);
    EXPECT_EQ(FileContents(path), bytes);
}

TEST_F(CatalogueTest, ALockedLibraryIsReportedAfterTheWait) {
    open().reset();
    {
        QSqlDatabase holder =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        holder.setDatabaseName(path);
        ASSERT_TRUE(holder.open());
        QSqlQuery(holder).exec(QStringLiteral("BEGIN EXCLUSIVE"));
        const auto opened = Catalogue::Open(path, {100});
        ASSERT_FALSE(opened.Ok());
        EXPECT_EQ(opened.Error().kind, CatalogueError::Kind::Locked);
        EXPECT_EQ(opened.Error().text, QStringLiteral("The library %1 is in use by another "
                                                      "program and did not come free in time. It "
                                                      "was left as it is.")
                                           .arg(path));
        QSqlQuery(holder).exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    EXPECT_TRUE(open());
}

TEST_F(CatalogueTest, AnUnwritableLibraryIsReported) {
    open()->Add(bank, {imported(QStringLiteral("Kept"), 1)}, Duplicates::Skip);
    const QByteArray before = FileContents(path);
    const UnwritableFile unwritable(path);
    if (!unwritable.Made())
        GTEST_SKIP() << "no way to make a file unwritable here";
    const auto opened = Catalogue::Open(path, {200});
    ASSERT_FALSE(opened.Ok());
    EXPECT_EQ(opened.Error().kind, CatalogueError::Kind::ReadOnly);
    EXPECT_TRUE(opened.Error().text.startsWith(
        QStringLiteral("The library %1 cannot be written (").arg(path)))
        << qPrintable(opened.Error().text);
    EXPECT_EQ(FileContents(path), before);
}

} // namespace
