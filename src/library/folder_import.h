#pragma once

#include "library/catalogue.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// Importing files and whole folder trees into the catalogue, one file per transaction, so that a
// cancel or a killed program keeps every file done before it.

struct ImportOptions {
    Duplicates duplicates = Duplicates::Skip;
    // The files of a folder that are read, by suffix (any letter case); files named one by one
    // are read whatever their suffix.
    QStringList suffixes{QStringLiteral("syx")};
};

struct ImportProgress {
    int filesDone;
    int filesTotal;
    const QString& file; // the one just done
    int voicesAdded;     // so far
};

// Called after each file; returning false cancels the import after that file.
using ImportProgressCallback = std::function<bool(const ImportProgress&)>;

struct SkippedFile {
    QString path;
    QString reason;
};

struct ImportReport {
    int filesRead = 0;
    int voicesAdded = 0;
    int duplicates = 0;
    // Files that gave no voice, with why, in the order they were met: listed at the end, never
    // one message a file.
    std::vector<SkippedFile> skipped;
    bool cancelled = false;
    // The catalogue failed (a full disk, a lock that stayed): the import stopped at that file.
    std::optional<CatalogueError> error;
};

// The files under the folder with one of the suffixes, in name order, folder by folder.
// Symbolic links to folders are not followed, so a link back up cannot make the walk endless.
QStringList VoiceFilesUnder(const QString& folder, const QStringList& suffixes);

ImportReport ImportFiles(Catalogue& catalogue, const QStringList& paths,
                         const ImportOptions& options, const ImportProgressCallback& progress = {});
ImportReport ImportFolder(Catalogue& catalogue, const QString& folder, const ImportOptions& options,
                          const ImportProgressCallback& progress = {});
