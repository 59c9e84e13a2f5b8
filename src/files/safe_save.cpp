#include "files/safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace SafeSave {

QString BackupPath(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    QString backup = name.size() >= 3 ? name.left(name.size() - 3) + QStringLiteral("BAK")
                                      : name + QStringLiteral(".BAK");
    // Letter case is ignored: on a FAT or NTFS stick Bass.bak and Bass.BAK are one file.
    if (backup.compare(name, Qt::CaseInsensitive) == 0)
        backup = name + QStringLiteral(".BAK");
    return info.dir().filePath(backup);
}

std::optional<QString> Unreplaceable(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is not a regular file");
    return std::nullopt;
}

std::optional<QString> MakeBackup(const QString& path) {
    if (const auto refused = Unreplaceable(path))
        return QStringLiteral("Cannot back up %1: %2").arg(path, *refused);
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot read %1 to back it up: %2").arg(path, original.errorString());
    const QByteArray bytes = original.readAll();
    if (original.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read %1 to back it up: %2").arg(path, original.errorString());
    const QString backup = BackupPath(path);
    if (const auto error = WriteAtomically(backup, bytes))
        return QStringLiteral("Cannot make the backup %1: %2").arg(backup, *error);
    return std::nullopt;
}

std::optional<QString> WriteAtomically(const QString& path, const QByteArray& bytes) {
    // Renaming over a FIFO or a device would put a plain file in its place.
    if (const auto refused = Unreplaceable(path))
        return refused;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace SafeSave
