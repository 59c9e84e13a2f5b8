#include "library/catalogue.h"

#include "library/catalogue_sql.h"
#include "library/categories.h"
#include "library/shared_strings.h"
#include "library/stored_voice.h"
#include "model/rows.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

using CatalogueSql::Run;

const QString EntryColumns = QStringLiteral(
    "id, name, coalesce(user_category, category), user_category IS NOT NULL, algorithm, source, "
    "position, format, imported, favourite, comment, fingerprint");

// SQLite's integers are signed; the fingerprint keeps its 64 bits.
qint64 asStored(quint64 fingerprint) {
    return qint64(fingerprint);
}

// Qt binds a null string as NULL; the text columns hold '' instead.
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

int algorithmOf(const Voice& voice) {
    return voice.Value(*VoiceParam::Single(Rows::Algorithm));
}

qint64 now() {
    return QDateTime::currentSecsSinceEpoch();
}

CatalogueEntry entryOf(const QSqlQuery& query, SharedStrings& shared) {
    CatalogueEntry entry;
    entry.id = query.value(0).toLongLong();
    entry.name = query.value(1).toString();
    entry.category = shared(query.value(2).toString());
    entry.userCategory = query.value(3).toBool();
    entry.algorithm = query.value(4).toInt();
    entry.source = shared(query.value(5).toString());
    entry.position = query.value(6).toInt();
    entry.format = shared(query.value(7).toString());
    entry.imported = QDateTime::fromSecsSinceEpoch(query.value(8).toLongLong(), Qt::UTC);
    entry.favourite = query.value(9).toBool();
    entry.comment = query.value(10).toString();
    entry.fingerprint = quint64(query.value(11).toLongLong());
    return entry;
}

CatalogueError noSuchVoice(const QString& path, qint64 id) {
    return {CatalogueError::Kind::Failed,
            QStringLiteral("The library %1 holds no voice %2.").arg(path).arg(id)};
}

QStringList cleanTags(const QStringList& tags) {
    QStringList clean;
    for (const QString& tag : tags) {
        const QString trimmed = tag.trimmed();
        if (!trimmed.isEmpty() && !clean.contains(trimmed))
            clean << trimmed;
    }
    return clean;
}

} // namespace

Result<qint64> Catalogue::insert(const QString& source, int position, const QString& format,
                                 const Voice& voice, const StoredVoice& stored, qint64 imported) {
    QSqlQuery query(db());
    query.prepare(QStringLiteral(
        "INSERT INTO voice (bytes, name, fingerprint, algorithm, source, position, format, "
        "imported, category) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(stored.bytes), text(voice.Name()), QVariant(asStored(stored.fingerprint)),
          QVariant(algorithmOf(voice)), text(source), QVariant(position), text(format),
          QVariant(imported), text(CategoryOfName(voice.Name()))})
        query.addBindValue(value);
    if (auto error = Run(query, path_))
        return *error;
    return query.lastInsertId().toLongLong();
}

Result<AddCount> Catalogue::Add(const QString& source, const std::vector<ImportedVoice>& voices,
                                Duplicates duplicates) {
    QSqlDatabase database = db();
    CatalogueSql::WriteTransaction transaction(database, path_);
    if (auto error = transaction.Begin())
        return *error;
    QSqlQuery seen(database);
    seen.prepare(duplicates == Duplicates::Skip
                     ? QStringLiteral("SELECT 1 FROM voice WHERE fingerprint = ? AND bytes = ? "
                                      "AND name = ? LIMIT 1")
                     : QStringLiteral("SELECT 1 FROM voice WHERE source = ? AND position = ? AND "
                                      "bytes = ? AND name = ? LIMIT 1"));
    const qint64 imported = now();
    AddCount count;
    for (const ImportedVoice& voice : voices) {
        const StoredVoice stored = StoreForm(voice.voice);
        if (duplicates == Duplicates::Skip) {
            seen.addBindValue(asStored(stored.fingerprint));
        } else {
            seen.addBindValue(text(source));
            seen.addBindValue(voice.position);
        }
        seen.addBindValue(stored.bytes);
        seen.addBindValue(text(voice.voice.Name()));
        if (auto error = Run(seen, path_))
            return *error;
        if (seen.next()) {
            ++count.duplicates;
            continue;
        }
        const auto id =
            insert(source, voice.position, FormatName(voice.format), voice.voice, stored, imported);
        if (!id)
            return id.Error();
        ++count.added;
    }
    if (auto error = transaction.Commit())
        return *error;
    return count;
}

Result<qint64> Catalogue::Store(const Voice& voice) {
    QSqlDatabase database = db();
    CatalogueSql::WriteTransaction transaction(database, path_);
    if (auto error = transaction.Begin())
        return *error;
    const auto id = insert(QString(), 0, StoredFormat, voice, StoreForm(voice), now());
    if (!id)
        return id;
    if (auto error = transaction.Commit())
        return *error;
    return id;
}

Failure Catalogue::updateOne(qint64 id, const QString& statement, const QVariantList& values) {
    QSqlQuery query(db());
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    query.addBindValue(id);
    if (auto error = Run(query, path_))
        return error;
    if (query.numRowsAffected() == 0)
        return noSuchVoice(path_, id);
    return std::nullopt;
}

Failure Catalogue::requireVoice(qint64 id) const {
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT 1 FROM voice WHERE id = ?"));
    query.addBindValue(id);
    if (auto error = Run(query, path_))
        return error;
    if (!query.next())
        return noSuchVoice(path_, id);
    return std::nullopt;
}

Failure Catalogue::Rename(qint64 id, const QString& name) {
    const auto voice = VoiceOf(id);
    if (!voice)
        return voice.Error();
    Voice renamed = *voice;
    renamed.SetName(name);
    return updateOne(
        id, QStringLiteral("UPDATE voice SET name = ?, bytes = ?, category = ? WHERE id = ?"),
        {text(renamed.Name()), StoreForm(renamed).bytes, text(CategoryOfName(renamed.Name()))});
}

Failure Catalogue::SetCategory(qint64 id, const QString& category) {
    const QString chosen = category.trimmed();
    return updateOne(id, QStringLiteral("UPDATE voice SET user_category = ? WHERE id = ?"),
                     {chosen.isEmpty() ? QVariant() : QVariant(chosen)});
}

Failure Catalogue::SetFavourite(qint64 id, bool favourite) {
    return updateOne(id, QStringLiteral("UPDATE voice SET favourite = ? WHERE id = ?"),
                     {favourite ? 1 : 0});
}

Failure Catalogue::SetComment(qint64 id, const QString& comment) {
    return updateOne(id, QStringLiteral("UPDATE voice SET comment = ? WHERE id = ?"),
                     {text(comment)});
}

Failure Catalogue::SetTags(qint64 id, const QStringList& tags) {
    QSqlDatabase database = db();
    CatalogueSql::WriteTransaction transaction(database, path_);
    if (auto error = transaction.Begin())
        return error;
    if (auto missing = requireVoice(id))
        return missing;
    QSqlQuery remove(database);
    remove.prepare(QStringLiteral("DELETE FROM tag WHERE voice = ?"));
    remove.addBindValue(id);
    if (auto error = Run(remove, path_))
        return error;
    QSqlQuery add(database);
    add.prepare(QStringLiteral("INSERT INTO tag (voice, tag) VALUES (?, ?)"));
    for (const QString& tag : cleanTags(tags)) {
        add.addBindValue(id);
        add.addBindValue(tag);
        if (auto error = Run(add, path_))
            return error;
    }
    return transaction.Commit();
}

Failure Catalogue::Delete(const std::vector<qint64>& ids) {
    QSqlDatabase database = db();
    CatalogueSql::WriteTransaction transaction(database, path_);
    if (auto error = transaction.Begin())
        return error;
    for (const char* statement :
         {"DELETE FROM tag WHERE voice = ?", "DELETE FROM voice WHERE id = ?"}) {
        QSqlQuery query(database);
        query.prepare(QString::fromLatin1(statement));
        for (qint64 id : ids) {
            query.addBindValue(id);
            if (auto error = Run(query, path_))
                return error;
        }
    }
    return transaction.Commit();
}

Result<std::vector<CatalogueEntry>> Catalogue::entriesWhere(const QString& condition,
                                                            const QVariant& value) const {
    // One read transaction: the tags belong to the same state of the file as the voices.
    QSqlDatabase database = db();
    if (auto error = Run(database, QStringLiteral("BEGIN"), path_))
        return *error;
    auto entries = readEntries(condition, value);
    if (entries)
        if (auto error = attachTags(*entries, condition, value))
            entries = *error;
    Run(database, QStringLiteral("COMMIT"), path_);
    return entries;
}

Result<std::vector<CatalogueEntry>> Catalogue::readEntries(const QString& condition,
                                                           const QVariant& value) const {
    QSqlQuery query(db());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT %1 FROM voice %2 ORDER BY id").arg(EntryColumns, condition));
    if (value.isValid())
        query.addBindValue(value);
    if (auto error = Run(query, path_))
        return *error;
    std::vector<CatalogueEntry> entries;
    SharedStrings shared;
    while (query.next())
        entries.push_back(entryOf(query, shared));
    if (query.lastError().isValid())
        return CatalogueSql::ErrorOf(query.lastError(), path_);
    return entries;
}

// The tags of the entries (in id order), read in one pass rather than a query a voice: most
// voices have none.
Failure Catalogue::attachTags(std::vector<CatalogueEntry>& entries, const QString& condition,
                              const QVariant& value) const {
    QSqlQuery query(db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT voice, tag FROM tag WHERE voice IN (SELECT id FROM voice "
                                 "%1) ORDER BY voice, rowid")
                      .arg(condition));
    if (value.isValid())
        query.addBindValue(value);
    if (auto error = Run(query, path_))
        return error;
    auto entry = entries.begin();
    while (query.next()) {
        const qint64 voice = query.value(0).toLongLong();
        while (entry != entries.end() && entry->id < voice)
            ++entry;
        if (entry != entries.end() && entry->id == voice)
            entry->tags << query.value(1).toString();
    }
    if (query.lastError().isValid())
        return CatalogueSql::ErrorOf(query.lastError(), path_);
    return std::nullopt;
}

Result<std::vector<CatalogueEntry>> Catalogue::Entries() const {
    return entriesWhere(QString(), QVariant());
}

Result<CatalogueEntry> Catalogue::Entry(qint64 id) const {
    auto entries = entriesWhere(QStringLiteral("WHERE id = ?"), id);
    if (!entries)
        return entries.Error();
    if (entries->empty())
        return noSuchVoice(path_, id);
    return entries->front();
}

Result<std::vector<CatalogueEntry>> Catalogue::Copies(quint64 fingerprint) const {
    return entriesWhere(QStringLiteral("WHERE fingerprint = ?"), asStored(fingerprint));
}

Result<Voice> Catalogue::VoiceOf(qint64 id) const {
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT bytes, name FROM voice WHERE id = ?"));
    query.addBindValue(id);
    if (auto error = Run(query, path_))
        return *error;
    if (!query.next())
        return noSuchVoice(path_, id);
    const auto voice = VoiceFromStored(query.value(0).toByteArray(), query.value(1).toString());
    if (!voice)
        return CatalogueError{
            CatalogueError::Kind::Damaged,
            QStringLiteral("The library %1 holds a damaged voice %2.").arg(path_).arg(id)};
    return *voice;
}
