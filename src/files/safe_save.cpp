#include "files/safe_save.h"

#include "model/bounded_read.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace SafeSave {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// What open() would give a new file: everything the umask lets through, no execute bits.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Short writes go on where they stopped; a write that fails says so, with errno set.
bool writeAll(FileLayer& files, int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n =
            files.Write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The bytes go into a new file beside the target, which takes the target's name only once every
// byte is written and on the disk; on any failure the new file is removed and the target stays
// as it was.
std::optional<QString> replace(FileLayer& files, const QByteArray& target, const QByteArray& bytes,
                               mode_t mode) {
    QByteArray temporary = target + ".XXXXXX";
    const int fd = files.CreateUnique(temporary);
    if (fd < 0)
        return systemError(errno);
    bool written =
        files.SetMode(fd, mode) == 0 && writeAll(files, fd, bytes) && files.Sync(fd) == 0;
    int error = errno;
    // Some file systems (NFS, quotas) report a failed write only when the file is closed.
    if (files.Close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && files.Rename(temporary, target) == 0)
        return std::nullopt;
    if (written)
        error = errno;
    files.Remove(temporary);
    return systemError(error);
}

} // namespace

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
    return MakeBackup(SystemFiles(), path);
}

std::optional<QString> MakeBackup(FileLayer& files, const QString& path) {
    if (const auto refused = Unreplaceable(path))
        return QStringLiteral("Cannot back up %1: %2").arg(path, *refused);
    const OpenedFile original = OpenRegularFile(path);
    if (!original.file)
        return QStringLiteral("Cannot read %1 to back it up: %2").arg(path, original.problem);
    const QByteArray bytes = original.file->readAll();
    if (original.file->error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read %1 to back it up: %2")
            .arg(path, original.file->errorString());
    const QString backup = BackupPath(path);
    if (const auto error = WriteAtomically(files, QFile::encodeName(backup), bytes))
        return QStringLiteral("Cannot make the backup %1: %2").arg(backup, *error);
    return std::nullopt;
}

std::optional<QString> WriteAtomically(const QString& path, const QByteArray& bytes) {
    return WriteAtomically(SystemFiles(), QFile::encodeName(path), bytes);
}

std::optional<QString> WriteAtomically(FileLayer& files, const QByteArray& nativePath,
                                       const QByteArray& bytes) {
    struct stat status {};
    if (::stat(nativePath.constData(), &status) != 0)
        return replace(files, nativePath, bytes, newFileMode());
    // Renaming over a FIFO or a device would put a plain file in its place.
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("it is not a regular file");
    // A symbolic link keeps pointing at the file it names: that file is replaced, with its mode.
    QByteArray target = nativePath;
    if (char* real = ::realpath(nativePath.constData(), nullptr)) {
        target = real;
        std::free(real);
    }
    return replace(files, target, bytes, status.st_mode & 07777);
}

} // namespace SafeSave
