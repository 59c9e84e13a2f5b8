#include "files/safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace SafeSave {

QString BackupPath(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString backup = name.size() >= 3 ? name.left(name.size() - 3) + QStringLiteral("BAK")
                                            : name + QStringLiteral(".BAK");
    return info.dir().filePath(backup);
}

std::optional<QString> MakeBackup(const QString& path) {
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
