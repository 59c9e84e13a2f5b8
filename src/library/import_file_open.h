#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The one way the library opens a file to import. A folder of downloads may hold anything: the
// file is opened without waiting (a FIFO or a device would stop the import for ever) and read
// only when it is a regular file of at most MaxImportFileBytes; otherwise nothing, with the
// reason.
constexpr qint64 MaxImportFileBytes = qint64(16) << 20;

std::optional<QByteArray> ReadImportFile(const QString& path, QString& problem);
