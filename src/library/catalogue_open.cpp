#include "library/catalogue.h"
#include "library/catalogue_sql.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <atomic>

// Opening: every check reads before anything is written, so that a file that is not a library of
// this version is left exactly as it was.

namespace {

using Kind = CatalogueError::Kind;
using CatalogueSql::Run;
using CatalogueSql::ValueOf;

// "MLVL" in the database header: a library of this program, not another's database.
constexpr qint64 ApplicationId = 0x4D4C564C;

const char* const Schema[] = {
    "CREATE TABLE voice ("
    " id INTEGER PRIMARY KEY,"
    " bytes BLOB NOT NULL," // the patch file's 191 bytes
    " name TEXT NOT NULL,"
    " fingerprint INTEGER NOT NULL,"
    " algorithm INTEGER NOT NULL,"
    " source TEXT NOT NULL,"      // '' for a voice stored from the editor
    " position INTEGER NOT NULL," // 1.. in the source; 0 when stored
    " format TEXT NOT NULL,"
    " imported INTEGER NOT NULL," // seconds since 1970, UTC
    " favourite INTEGER NOT NULL DEFAULT 0,"
    " category TEXT NOT NULL," // from the name
    " user_category TEXT,"     // the user's, which wins
    " comment TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX voice_fingerprint ON voice (fingerprint)",
    "CREATE INDEX voice_source ON voice (source, position)",
    "CREATE TABLE tag (voice INTEGER NOT NULL, tag TEXT NOT NULL, UNIQUE (voice, tag))",
};

std::atomic<int> connectionCount{0};

CatalogueError refused(Kind kind, const QString& text) {
    return {kind, text};
}

Failure createSchema(const QSqlDatabase& db, const QString& path) {
    for (const char* statement : Schema)
        if (auto error = Run(db, QString::fromLatin1(statement), path))
            return error;
    if (auto error = Run(db, QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId), path))
        return error;
    return Run(db, QStringLiteral("PRAGMA user_version = %1").arg(Catalogue::SchemaVersion), path);
}

// What the file is: a new one (no tables at all), a library of a version this program reads, or
// something to leave alone.
Result<bool> isNew(const QSqlDatabase& db, const QString& path) {
    // One statement, so that the three are read from one state of the file while another program
    // may be making it a library.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT (SELECT application_id FROM pragma_application_id()), "
                                   "(SELECT user_version FROM pragma_user_version()), "
                                   "(SELECT count(*) FROM sqlite_master)")) ||
        !query.next())
        return CatalogueSql::ErrorOf(query.lastError(), path);
    const QVariant id = query.value(0);
    const QVariant version = query.value(1);
    const QVariant tables = query.value(2);
    if (id.toLongLong() == 0 && tables.toInt() == 0)
        return true;
    if (id.toLongLong() != ApplicationId)
        return refused(Kind::NotALibrary,
                       QStringLiteral("%1 is another program's database, not a voice library. It "
                                      "was left as it is.")
                           .arg(path));
    if (version.toInt() > Catalogue::SchemaVersion)
        return refused(Kind::NewerVersion,
                       QStringLiteral("The library %1 was made by a newer version of the program "
                                      "(schema %2; this one reads %3). It was left as it is.")
                           .arg(path)
                           .arg(version.toInt())
                           .arg(Catalogue::SchemaVersion));
    return false;
}

Failure checkIntact(const QSqlDatabase& db, const QString& path) {
    const auto check = ValueOf(db, QStringLiteral("PRAGMA quick_check(1)"), path);
    if (!check)
        return check.Error();
    if (check->toString() != QLatin1String("ok"))
        return refused(Kind::Damaged,
                       QStringLiteral("The library %1 is damaged (%2). It was left as it is.")
                           .arg(path, check->toString()));
    return std::nullopt;
}

// Creates the schema of a new file, or proves that an existing one can be written: the version
// is written again inside a transaction that is rolled back. Whether the file is new is asked
// again under the write lock, since another program may have made it a library meanwhile.
Failure prepare(QSqlDatabase& db, const QString& path) {
    CatalogueSql::WriteTransaction transaction(db, path);
    if (auto error = transaction.Begin())
        return error;
    const auto fresh = isNew(db, path);
    if (!fresh)
        return fresh.Error();
    if (*fresh) {
        if (auto error = createSchema(db, path))
            return error;
        return transaction.Commit();
    }
    return Run(db, QStringLiteral("PRAGMA user_version = %1").arg(Catalogue::SchemaVersion), path);
}

// SQLite answers a change of the journal mode that another program's open connection holds up with
// "busy" at once, without the wait it allows other statements: ask again for as long.
Failure useWriteAheadLog(QSqlDatabase& db, const QString& path, int busyTimeoutMs) {
    constexpr int RetryMs = 20;
    for (int waited = 0;; waited += RetryMs) {
        const auto mode =
            CatalogueSql::ValueOf(db, QStringLiteral("PRAGMA journal_mode = WAL"), path);
        if (mode && mode->toString() == QLatin1String("wal"))
            return std::nullopt;
        if (waited >= busyTimeoutMs)
            return mode ? refused(Kind::Locked,
                                  QStringLiteral("The library %1 is in use by another program "
                                                 "and did not come free in time. It was left as "
                                                 "it is.")
                                      .arg(path))
                        : mode.Error();
        QThread::msleep(RetryMs);
    }
}

Failure setUp(QSqlDatabase& db, const QString& path, int busyTimeoutMs) {
    // Every check reads, so that a file that is not a library is refused before any write.
    const auto fresh = isNew(db, path);
    if (!fresh)
        return fresh.Error();
    if (!*fresh)
        if (auto error = checkIntact(db, path))
            return error;
    // WAL: readers never wait for a writer, and a commit is whole once it returns, also when the
    // program is killed right after (NORMAL gives up only on a power cut's last commits).
    if (auto error = useWriteAheadLog(db, path, busyTimeoutMs))
        return error;
    if (auto error = Run(db, QStringLiteral("PRAGMA synchronous = NORMAL"), path))
        return error;
    return prepare(db, path);
}

} // namespace

Result<std::unique_ptr<Catalogue>> Catalogue::Open(const QString& path, Options options) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return refused(Kind::DriverMissing,
                       QStringLiteral("The library needs Qt's SQLite driver (the Debian package "
                                      "libqt6sql6-sqlite)."));
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        return refused(
            Kind::CannotOpen,
            QStringLiteral("The library %1 cannot be opened: it is not a regular file.").arg(path));
    if (!QDir().mkpath(file.absolutePath()))
        return refused(Kind::CannotOpen,
                       QStringLiteral("The library %1 cannot be opened: its folder cannot be "
                                      "made.")
                           .arg(path));

    const QString connection =
        QStringLiteral("marrowlink-catalogue-%1").arg(connectionCount.fetch_add(1));
    // The catalogue owns the connection from here: its destructor removes it, also on failure.
    std::unique_ptr<Catalogue> catalogue(new Catalogue(path, connection));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(file.absoluteFilePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs));
    if (!db.open())
        return CatalogueSql::ErrorOf(db.lastError(), path);
    if (auto error = setUp(db, path, options.busyTimeoutMs))
        return *error;
    return catalogue;
}

Catalogue::Catalogue(QString path, QString connection)
    : path_(std::move(path)), connection_(std::move(connection)) {}

Catalogue::~Catalogue() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase Catalogue::db() const {
    return QSqlDatabase::database(connection_, false);
}
