#include "app/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// A settings file is a few hundred bytes; anything far larger is not one.
constexpr qint64 MaxFileSize = 1 << 20;

bool isSection(const QString& line, QString* name = nullptr) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
        return false;
    if (name)
        *name = trimmed.mid(1, trimmed.size() - 2).trimmed();
    return true;
}

// The key of a "key=value" line, or nothing for a comment or a line without '='.
std::optional<QString> keyOf(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
        return std::nullopt;
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The line range of a section's keys: from the line after its header to the next header.
struct SectionLines {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionLines findSection(const QStringList& lines, const QString& section) {
    SectionLines found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (!isSection(lines[i], &name))
            continue;
        if (found.header >= 0) {
            found.end = i;
            return found;
        }
        if (same(name, section))
            found.header = i;
    }
    if (found.header >= 0)
        found.end = lines.size();
    return found;
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

IniFile::IniFile(QString path, std::function<void(const QString& problem)> onProblem)
    : path_(std::move(path)), onProblem_(std::move(onProblem)) {
    const QFileInfo info(path_);
    if (!info.exists())
        return;
    if (!info.isFile()) {
        writable_ = false;
        report(QStringLiteral("The settings file %1 is not a file; the defaults are used and "
                              "nothing is stored.")
                   .arg(path_));
        return;
    }
    QFile file(path_);
    if (file.size() > MaxFileSize) {
        writable_ = false;
        report(QStringLiteral("The settings file %1 is too large to be a settings file; the "
                              "defaults are used and nothing is stored.")
                   .arg(path_));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("The settings file %1 cannot be read (%2); the defaults are used.")
                   .arg(path_, file.errorString()));
        return;
    }
    // Latin-1 keeps every byte of a name as it was; device names are ASCII in practice.
    const QString text = QString::fromLatin1(file.readAll());
    if (text.contains(QStringLiteral("\r\n")))
        lineEnd_ = QStringLiteral("\r\n");
    else if (text.contains(QLatin1Char('\r')))
        lineEnd_ = QStringLiteral("\r");
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines_ = normal.split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

std::optional<QString> IniFile::text(const QString& section, const QString& key) const {
    const SectionLines lines = findSection(lines_, section);
    for (qsizetype i = lines.header + 1; lines.header >= 0 && i < lines.end; ++i) {
        const std::optional<QString> k = keyOf(lines_[i]);
        if (k && same(*k, key))
            return lines_[i].mid(lines_[i].indexOf(QLatin1Char('=')) + 1).trimmed();
    }
    return std::nullopt;
}

QVariant IniFile::Value(const QString& section, const QString& key,
                        const QVariant& defaultValue) const {
    const std::optional<QString> found = text(section, key);
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
    const QString line = key + QLatin1Char('=') + written;
    const SectionLines lines = findSection(lines_, section);
    if (lines.header < 0) {
        lines_ << QLatin1Char('[') + section + QLatin1Char(']') << line;
    } else {
        qsizetype at = -1;
        qsizetype lastKey = lines.header;
        for (qsizetype i = lines.header + 1; i < lines.end; ++i) {
            const std::optional<QString> k = keyOf(lines_[i]);
            if (!k)
                continue;
            lastKey = i;
            if (same(*k, key)) {
                at = i;
                break;
            }
        }
        // A key the file has keeps its spelling.
        if (at >= 0)
            lines_[at] = *keyOf(lines_[at]) + QLatin1Char('=') + written;
        else
            lines_.insert(lastKey + 1, line);
    }
    store();
}

void IniFile::store() {
    if (!writable_)
        return;
    QSaveFile file(path_);
    const QByteArray bytes = (lines_.join(lineEnd_) + lineEnd_).toLatin1();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        report(QStringLiteral("The settings file %1 cannot be written (%2). The program goes on; "
                              "its settings will not be kept.")
                   .arg(path_, file.errorString()));
}

void IniFile::report(const QString& problem) {
    if (reported_)
        return;
    reported_ = true;
    if (onProblem_)
        onProblem_(problem);
}
