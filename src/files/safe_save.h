#pragma once

#include "files/file_layer.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Saving without losing what was there: the backup is written whole before anything else, and the
// new file replaces the old one only once every byte is written and on the disk; a failure at
// any step (a full disk, say) is reported and leaves the old file as it was. Only regular files
// are backed up or replaced: a FIFO, a device or a folder of the chosen name is left as it is.
// Every file the programs save goes through WriteAtomically.
namespace SafeSave {

// The backup's path: the name's last three characters replaced by "BAK" (Bass.SYX -> Bass.BAK).
// A name that already ends in BAK gets ".BAK" added instead (Bass.BAK -> Bass.BAK.BAK), so that
// a file is never its own backup.
QString BackupPath(const QString& path);

// Why a save must not replace what the path names (it exists and is not a regular file), or
// nothing when it may.
std::optional<QString> Unreplaceable(const QString& path);

// Copies the file to its backup, replacing an older backup. An error text, or nothing on success.
std::optional<QString> MakeBackup(const QString& path);
std::optional<QString> MakeBackup(FileLayer& files, const QString& path);

// Writes the bytes beside the target and renames them over it. An error text, or nothing. A
// symbolic link is kept and the file it names replaced; a replaced file keeps its mode.
std::optional<QString> WriteAtomically(const QString& path, const QByteArray& bytes);
// The same for a path in the system's own bytes (a name that is not UTF-8 stays as it is),
// through the given file layer.
std::optional<QString> WriteAtomically(FileLayer& files, const QByteArray& nativePath,
                                       const QByteArray& bytes);

} // namespace SafeSave
