#include "library/catalogue_sql.h"

#include <QVariant>

namespace CatalogueSql {
namespace {

// SQLite's primary result codes, as Qt's driver reports them.
constexpr int Busy = 5;
constexpr int Locked = 6;
constexpr int ReadOnly = 8;
constexpr int Corrupt = 11;
constexpr int Full = 13;
constexpr int CannotOpen = 14;
constexpr int NotADatabase = 26;

} // namespace

CatalogueError ErrorOf(const QSqlError& error, const QString& path) {
    using Kind = CatalogueError::Kind;
    const QString said = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    // Extended codes carry the primary one in their low byte.
    switch (error.nativeErrorCode().toInt() & 0xFF) {
    case Busy:
    case Locked:
        return {Kind::Locked, QStringLiteral("The library %1 is in use by another program and did "
                                             "not come free in time. It was left as it is.")
                                  .arg(path)};
    case ReadOnly:
        return {Kind::ReadOnly,
                QStringLiteral("The library %1 cannot be written (%2). It was left as it is.")
                    .arg(path, said)};
    case Corrupt:
        return {Kind::Damaged,
                QStringLiteral("The library %1 is damaged (%2). It was left as it is.")
                    .arg(path, said)};
    case NotADatabase:
        return {Kind::NotALibrary,
                QStringLiteral("%1 is not a voice library (%2). It was left as it is.")
                    .arg(path, said)};
    case CannotOpen:
        return {Kind::CannotOpen,
                QStringLiteral("The library %1 cannot be opened (%2).").arg(path, said)};
    case Full:
        return {Kind::Failed,
                QStringLiteral("The library %1 cannot grow: the disk is full.").arg(path)};
    default:
        return {Kind::Failed, QStringLiteral("The library %1 failed: %2.").arg(path, said)};
    }
}

Failure Run(QSqlQuery& query, const QString& path) {
    if (!query.exec())
        return ErrorOf(query.lastError(), path);
    return std::nullopt;
}

Failure Run(const QSqlDatabase& db, const QString& statement, const QString& path) {
    QSqlQuery query(db);
    if (!query.exec(statement))
        return ErrorOf(query.lastError(), path);
    return std::nullopt;
}

Result<QVariant> ValueOf(const QSqlDatabase& db, const QString& statement, const QString& path) {
    QSqlQuery query(db);
    if (!query.exec(statement))
        return ErrorOf(query.lastError(), path);
    if (!query.next())
        return query.lastError().isValid() ? Result<QVariant>(ErrorOf(query.lastError(), path))
                                           : Result<QVariant>(QVariant());
    return query.value(0);
}

WriteTransaction::~WriteTransaction() {
    if (open_)
        Run(db_, QStringLiteral("ROLLBACK"), path_);
}

Failure WriteTransaction::Begin() {
    if (auto error = Run(db_, QStringLiteral("BEGIN IMMEDIATE"), path_))
        return error;
    open_ = true;
    return std::nullopt;
}

Failure WriteTransaction::Commit() {
    if (auto error = Run(db_, QStringLiteral("COMMIT"), path_))
        return error;
    open_ = false;
    return std::nullopt;
}

} // namespace CatalogueSql
