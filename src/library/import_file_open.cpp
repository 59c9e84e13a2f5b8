#include "library/import_file_open.h"

#include "model/bounded_read.h"

std::optional<QByteArray> ReadImportFile(const QString& path, QString& problem) {
    const OpenedFile opened = OpenRegularFile(path);
    if (!opened.file) {
        problem = opened.problem;
        return std::nullopt;
    }
    // A file that grows while it is read is still cut at the limit.
    std::optional<QByteArray> bytes = ReadAtMost(*opened.file, MaxImportFileBytes);
    if (!bytes)
        problem = QStringLiteral("it is too large for a voice file (more than %1 bytes)")
                      .arg(MaxImportFileBytes);
    return bytes;
}
