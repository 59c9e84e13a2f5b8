#include "app/ini_file.h"

#include "files/safe_save.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace {
// A settings file is a few hundred bytes; anything far larger is not one.
constexpr qint64 MaxFileSize = 1 << 20;

struct Missing {};
struct Refused {
    enum Kind { NotAFile, TooLarge, Unreadable } kind;
    QString reason;
};
using ReadResult = std::variant<Missing, Refused, QByteArray>;

// Opened without blocking, so that a FIFO or a device named like the settings file cannot hang
// the program, and read only if it is a regular file.
ReadResult readFile(const QString& path) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT
                   ? ReadResult(Missing{})
                   : Refused{Refused::Unreadable, QString::fromLocal8Bit(std::strerror(errno))};
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Refused{Refused::NotAFile, QStringLiteral("it is not a regular file")};
    }
    if (status.st_size > MaxFileSize) {
        ::close(fd);
        return Refused{Refused::TooLarge, QStringLiteral("it is too large to be a settings file")};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refused{Refused::Unreadable, file.errorString()};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Refused{Refused::Unreadable, file.errorString()};
    return bytes;
}

QString startProblem(const QString& path, const Refused& refused) {
    switch (refused.kind) {
    case Refused::NotAFile:
        return QStringLiteral("The settings file %1 is not a file; the defaults are used and "
                              "nothing is stored.")
            .arg(path);
    case Refused::TooLarge:
        return QStringLiteral("The settings file %1 is too large to be a settings file; the "
                              "defaults are used and nothing is stored.")
            .arg(path);
    case Refused::Unreadable:
        break;
    }
    return QStringLiteral("The settings file %1 cannot be read (%2); the defaults are used.")
        .arg(path, refused.reason);
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

IniFile::IniFile(QString path, std::function<void(const QString& problem)> onProblem)
    : path_(std::move(path)), onProblem_(std::move(onProblem)) {
    const ReadResult read = readFile(path_);
    if (const auto* bytes = std::get_if<QByteArray>(&read))
        known_ = IniText::Parse(*bytes);
    else if (const auto* refused = std::get_if<Refused>(&read))
        report(startProblem(path_, *refused));
}

QVariant IniFile::Value(const QString& section, const QString& key,
                        const QVariant& defaultValue) const {
    const std::optional<QString> found = known_.Value(section, key);
    if (!found)
        return defaultValue;
    switch (defaultValue.typeId()) {
    case QMetaType::Int:
        if (const auto number = wholeNumber(*found))
            return *number;
        return defaultValue;
    case QMetaType::Bool:
        if (const auto number = wholeNumber(*found))
            return *number != 0;
        return defaultValue;
    default:
        return *found;
    }
}

void IniFile::SetValue(const QString& section, const QString& key, const QVariant& value) {
    const QString written = value.typeId() == QMetaType::Bool
                                ? QString::number(value.toBool() ? 1 : 0)
                                : value.toString();
    if (known_.Value(section, key) == written)
        return;
    known_.SetValue(section, key, written);
    store(section, key, written);
}

void IniFile::store(const QString& section, const QString& key, const QString& value) {
    const ReadResult read = readFile(path_);
    if (const auto* refused = std::get_if<Refused>(&read)) {
        report(QStringLiteral("The settings file %1 cannot be written (%2). The program goes on; "
                              "its settings will not be kept.")
                   .arg(path_, refused->reason));
        return;
    }
    // A file that has gone is written anew with everything this program knows.
    IniText onDisk = known_;
    if (const auto* bytes = std::get_if<QByteArray>(&read)) {
        onDisk = IniText::Parse(*bytes);
        onDisk.SetValue(section, key, value);
    }
    if (const auto error = SafeSave::WriteAtomically(path_, onDisk.Bytes()))
        report(QStringLiteral("The settings file %1 cannot be written (%2). The program goes on; "
                              "its settings will not be kept.")
                   .arg(path_, *error));
}

void IniFile::report(const QString& problem) {
    if (reported_)
        return;
    reported_ = true;
    if (onProblem_)
        onProblem_(problem);
}
