#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Saving without losing what was there: the backup is written whole before anything else, and the
// new file replaces the old one only once it is complete.
namespace SafeSave {

// The backup's path: the name's last three characters replaced by "BAK" (Bass.SYX -> Bass.BAK).
QString BackupPath(const QString& path);

// Copies the file to its backup, replacing an older backup. An error text, or nothing on success.
std::optional<QString> MakeBackup(const QString& path);

// Writes the bytes beside the target and renames them over it. An error text, or nothing.
std::optional<QString> WriteAtomically(const QString& path, const QByteArray& bytes);

} // namespace SafeSave
