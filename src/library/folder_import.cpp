#include "library/folder_import.h"

#include "library/import_file_open.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

QStringList VoiceFilesUnder(const QString& folder, const QStringList& suffixes) {
    QStringList files;
    QDirIterator walk(folder, QDir::Files | QDir::Hidden | QDir::System,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QFileInfo file(walk.next());
        if (suffixes.contains(file.suffix(), Qt::CaseInsensitive))
            files << file.filePath();
    }
    std::sort(files.begin(), files.end());
    return files;
}

ImportReport ImportFiles(Catalogue& catalogue, const QStringList& paths,
                         const ImportOptions& options, const ImportProgressCallback& progress) {
    ImportReport report;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString source = QFileInfo(paths[i]).absoluteFilePath();
        QString problem;
        if (const auto bytes = ReadImportFile(source, problem)) {
            const FileVoices read =
                ReadVoices({reinterpret_cast<const std::uint8_t*>(bytes->constData()),
                            std::size_t(bytes->size())});
            if (read.voices.empty()) {
                report.skipped.push_back({source, read.problem.value_or(QString())});
            } else {
                const auto added = catalogue.Add(source, read.voices, options.duplicates);
                if (!added) {
                    report.error = added.Error();
                    return report;
                }
                ++report.filesRead;
                report.voicesAdded += added->added;
                report.duplicates += added->duplicates;
            }
        } else {
            report.skipped.push_back({source, problem});
        }
        if (progress && !progress({int(i) + 1, int(paths.size()), source, report.voicesAdded})) {
            report.cancelled = i + 1 < paths.size();
            return report;
        }
    }
    return report;
}

ImportReport ImportFolder(Catalogue& catalogue, const QString& folder, const ImportOptions& options,
                          const ImportProgressCallback& progress) {
    return ImportFiles(catalogue, VoiceFilesUnder(folder, options.suffixes), options, progress);
}
