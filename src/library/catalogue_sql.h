#pragma once

#include "library/catalogue_error.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

// The catalogue's SQL: statements run with their errors turned into CatalogueErrors that name the
// library's file, and write transactions that end in a rollback unless committed.
namespace CatalogueSql {

CatalogueError ErrorOf(const QSqlError& error, const QString& path);

// A prepared query with its values bound.
Failure Run(QSqlQuery& query, const QString& path);
Failure Run(const QSqlDatabase& db, const QString& statement, const QString& path);

// The first column of the first row of a statement.
Result<QVariant> ValueOf(const QSqlDatabase& db, const QString& statement, const QString& path);

// BEGIN IMMEDIATE: the write lock is taken at once (waiting for another program as the busy time
// allows), so that a transaction never fails half-way for a lock it could not upgrade to.
class WriteTransaction {
public:
    WriteTransaction(QSqlDatabase& db, const QString& path) : db_(db), path_(path) {}
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    Failure Begin();
    Failure Commit();

private:
    QSqlDatabase& db_;
    const QString& path_;
    bool open_ = false;
};

} // namespace CatalogueSql
