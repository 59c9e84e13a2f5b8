#include "library/import_file_open.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::optional<QByteArray> ReadImportFile(const QString& path, QString& problem) {
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        problem = errno == ENOENT ? QStringLiteral("no such file") : systemError(errno);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        problem = systemError(errno);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = S_ISDIR(status.st_mode) ? QStringLiteral("is a folder, not a file")
                                          : QStringLiteral("is not a regular file");
        return std::nullopt;
    }
    if (status.st_size > MaxImportFileBytes) {
        problem = QStringLiteral("is too large for a voice file (%1 bytes)").arg(status.st_size);
        return std::nullopt;
    }
    QByteArray bytes;
    char chunk[1 << 16];
    // A file that grows while it is read is still cut at the limit.
    while (bytes.size() <= MaxImportFileBytes) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            problem = systemError(errno);
            return std::nullopt;
        }
        if (n == 0)
            return bytes;
        bytes.append(chunk, qsizetype(n));
    }
    problem = QStringLiteral("is too large for a voice file");
    return std::nullopt;
}
