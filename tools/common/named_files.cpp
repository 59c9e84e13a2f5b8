#include "named_files.h"

#include "files/safe_save.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char32_t StrayByteBase = 0xDC00; // a stray byte b is kept as StrayByteBase + b

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The length of the valid UTF-8 sequence at bytes[i], or 0 when there is none (a stray byte, an
// overlong form, a surrogate or a code point beyond U+10FFFF).
int utf8Length(const QByteArray& bytes, qsizetype i, char32_t& codePoint) {
    const auto byte = [&](qsizetype k) { return std::uint8_t(bytes[k]); };
    const std::uint8_t lead = byte(i);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (byte(i + k) & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < minimum || surrogate || codePoint > 0x10FFFF ? 0 : length;
}

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

std::unique_ptr<QFile> openDescriptor(int fd, QIODevice::OpenMode mode, QString& problem) {
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, mode, QFileDevice::AutoCloseHandle)) {
        problem = file->errorString();
        ::close(fd);
        return nullptr;
    }
    return file;
}

// Writes into what already stands at the path, as it is.
std::optional<QString> writeInto(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return systemError(errno);
    const bool written = writeAll(fd, bytes);
    const int error = errno;
    ::close(fd);
    return written ? std::nullopt : std::optional(systemError(error));
}

} // namespace

QString ArgumentText(const char* text) {
    const QByteArray bytes(text);
    QString decoded;
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        const int length = utf8Length(bytes, i, codePoint);
        if (length == 0) {
            decoded += QChar(char16_t(StrayByteBase + std::uint8_t(bytes[i])));
            ++i;
        } else {
            decoded += QString::fromUcs4(&codePoint, 1);
            i += length;
        }
    }
    return decoded;
}

QByteArray FileNameBytes(const QString& name) {
    QByteArray bytes;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        const bool pair =
            c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate();
        if (pair) {
            bytes += name.mid(i, 2).toUtf8();
            ++i;
        } else if (c.unicode() >= StrayByteBase + 0x80 && c.unicode() <= StrayByteBase + 0xFF) {
            bytes += char(c.unicode() - StrayByteBase);
        } else {
            bytes += QString(c).toUtf8();
        }
    }
    return bytes;
}

std::unique_ptr<QFile> OpenForReading(const QString& name, FileKinds kinds, QString& problem) {
    OpenedFile opened = OpenWithoutWaiting(FileNameBytes(name), kinds);
    problem = opened.problem;
    return std::move(opened.file);
}

std::unique_ptr<QFile> OpenForWriting(const QString& name, QString& problem) {
    const int fd =
        ::open(FileNameBytes(name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        problem = systemError(errno);
        return nullptr;
    }
    return openDescriptor(fd, QIODevice::WriteOnly, problem);
}

std::optional<QString> WriteStandardOutput(const QByteArray& bytes) {
    return writeAll(STDOUT_FILENO, bytes) ? std::nullopt : std::optional(systemError(errno));
}

std::optional<QString> SaveNamedFile(const QString& name, const QByteArray& bytes) {
    if (name == QLatin1String("-"))
        return WriteStandardOutput(bytes);
    const QByteArray path = FileNameBytes(name);
    struct stat status {};
    if (::stat(path.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return writeInto(path, bytes);
    return SafeSave::WriteAtomically(SystemFiles(), path, bytes);
}
