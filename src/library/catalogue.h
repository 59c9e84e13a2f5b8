#pragma once

#include "library/catalogue_error.h"
#include "library/stored_voice.h"
#include "library/voice_file_reader.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// One voice of the catalogue as the Library page lists it; the voice itself is read on demand.
struct CatalogueEntry {
    qint64 id = 0;
    QString name;
    QString category;          // the user's choice where there is one, else the name's
    bool userCategory = false; // the category is the user's
    int algorithm = 0;         // 0..7
    QString source;            // the file it came from; empty for a voice stored from the editor
    int position = 0;          // in that file, 1..; 0 when stored
    QString format;            // a FormatName(), or StoredFormat
    QDateTime imported;
    bool favourite = false;
    QStringList tags;
    QString comment;
    quint64 fingerprint = 0; // voices with the same one are copies of one sound
};

inline const QString StoredFormat = QStringLiteral("stored");

// Whether an import adds a voice whose sound and name the catalogue already holds.
enum class Duplicates { Skip, Keep };

struct AddCount {
    int added = 0;
    int duplicates = 0; // exact duplicates skipped, or voices of the same file and place again
};

// The library's catalogue: one SQLite database file, through Qt SQL. Every voice keeps its patch
// file's 191 bytes, its name, fingerprint, source file and position, format, the date it came in,
// favourite, category, the user's tags and comment.
//
// The file is never deleted or replaced: one that is not a library (another file, another
// program's database, a newer schema), damaged, locked or unwritable is refused at Open with an
// error the window shows once, and the program goes on without the library. Writes are
// transactions in WAL mode: a program killed during one loses only that one, and several programs
// may share the file (a write waits for another's up to the busy time). Use a catalogue on the
// thread that opened it.
class Catalogue {
public:
    static constexpr int SchemaVersion = 1;

    struct Options {
        int busyTimeoutMs = 2000;
    };

    // Creates the file (and its folder) when there is none.
    static Result<std::unique_ptr<Catalogue>> Open(const QString& path, Options options);
    static Result<std::unique_ptr<Catalogue>> Open(const QString& path) { return Open(path, {}); }
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const QString& Path() const { return path_; }

    // One file's voices, all in one transaction. Duplicates::Skip leaves out a voice whose sound
    // and name are in the catalogue already; Keep leaves out only one that came from the same
    // file and place, so that importing a file again adds nothing either way. The voices kept
    // keep their categories, tags and the rest.
    Result<AddCount> Add(const QString& source, const std::vector<ImportedVoice>& voices,
                         Duplicates duplicates);
    // A voice as the editor holds it, under its name; its id.
    Result<qint64> Store(const Voice& voice);

    // A new name; the category follows it unless it is the user's.
    Failure Rename(qint64 id, const QString& name);
    // The user's category, which wins over the name's from now on; an empty one gives the voice
    // back the category of its name.
    Failure SetCategory(qint64 id, const QString& category);
    Failure SetTags(qint64 id, const QStringList& tags);
    Failure SetFavourite(qint64 id, bool favourite);
    Failure SetComment(qint64 id, const QString& comment);
    Failure Delete(const std::vector<qint64>& ids);

    // Every voice, in the order they came in.
    Result<std::vector<CatalogueEntry>> Entries() const;
    Result<CatalogueEntry> Entry(qint64 id) const;
    Result<Voice> VoiceOf(qint64 id) const;
    // The copies of a sound: every entry with the fingerprint.
    Result<std::vector<CatalogueEntry>> Copies(quint64 fingerprint) const;

private:
    Catalogue(QString path, QString connection);
    QSqlDatabase db() const;
    Result<std::vector<CatalogueEntry>> entriesWhere(const QString& condition,
                                                     const QVariant& value) const;
    Result<std::vector<CatalogueEntry>> readEntries(const QString& condition,
                                                    const QVariant& value) const;
    Failure attachTags(std::vector<CatalogueEntry>& entries, const QString& condition,
                       const QVariant& value) const;
    Failure requireVoice(qint64 id) const;
    Failure updateOne(qint64 id, const QString& statement, const QVariantList& values);
    Result<qint64> insert(const QString& source, int position, const QString& format,
                          const Voice& voice, const StoredVoice& stored, qint64 imported);

    QString path_;
    QString connection_;
};
