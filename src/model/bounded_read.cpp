#include "model/bounded_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> ReadAtMost(QIODevice& device, qint64 limit) {
    // A pipe gives what it holds at a time: read on until the end, or one byte past the limit.
    QByteArray bytes;
    for (QByteArray chunk;
         bytes.size() <= limit && !(chunk = device.read(limit + 1 - bytes.size())).isEmpty();)
        bytes += chunk;
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

namespace {

OpenedFile refused(int fd, const QString& problem) {
    ::close(fd);
    return {nullptr, false, problem};
}

bool isStandardInput(const struct stat& status) {
    struct stat input {};
    return ::fstat(STDIN_FILENO, &input) == 0 && input.st_dev == status.st_dev &&
           input.st_ino == status.st_ino;
}

// Why a file of this kind is not read, or nothing.
std::optional<QString> refusal(const struct stat& status, FileKinds kinds) {
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("it is a directory, not a file");
    const bool taken = S_ISREG(status.st_mode) || kinds == FileKinds::Any ||
                       (kinds == FileKinds::RegularOrStandardInput && isStandardInput(status));
    if (!taken)
        return QStringLiteral("it is not a regular file");
    return std::nullopt;
}

} // namespace

OpenedFile OpenWithoutWaiting(const QByteArray& nativePath, FileKinds kinds) {
    // A device that is refused is not even opened: opening one can act on it (a serial line).
    struct stat named {};
    if (::stat(nativePath.constData(), &named) == 0)
        if (const auto refused = refusal(named, kinds))
            return {nullptr, false, *refused};
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return {nullptr, true, QStringLiteral("no such file")};
        return {nullptr, false, QString::fromLocal8Bit(std::strerror(errno))};
    }
    // Checked again on what was opened, in case the name changed hands in between.
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return refused(fd, QString::fromLocal8Bit(std::strerror(errno)));
    if (const auto problem = refusal(status, kinds))
        return refused(fd, *problem);
    // Only the open must not wait; reads wait for a pipe's bytes as they always do.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return refused(fd, file->errorString());
    return {std::move(file), false, {}};
}

OpenedFile OpenRegularFile(const QString& path) {
    return OpenWithoutWaiting(QFile::encodeName(path), FileKinds::RegularOnly);
}
