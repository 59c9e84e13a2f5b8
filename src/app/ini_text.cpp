#include "app/ini_text.h"

#include "app/ini_value.h"

#include <QStringDecoder>

namespace {

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

QString decode(const QByteArray& bytes) {
    // Stateless: a sequence cut short at the end is an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

IniText IniText::Parse(const QByteArray& bytes) {
    IniText parsed;
    const QString text = decode(bytes);
    if (text.contains(QStringLiteral("\r\n")))
        parsed.lineEnd_ = QStringLiteral("\r\n");
    else if (text.contains(QLatin1Char('\r')))
        parsed.lineEnd_ = QStringLiteral("\r");
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    parsed.lines_ = normal.split(QLatin1Char('\n'));
    if (!parsed.lines_.isEmpty() && parsed.lines_.last().isEmpty())
        parsed.lines_.removeLast();
    return parsed;
}

QByteArray IniText::Bytes() const {
    return (lines_.join(lineEnd_) + lineEnd_).toUtf8();
}

std::optional<QString> IniText::Value(const QString& section, const QString& key) const {
    const SectionLines lines = findSection(lines_, section);
    for (qsizetype i = lines.header + 1; lines.header >= 0 && i < lines.end; ++i) {
        const std::optional<QString> k = keyOf(lines_[i]);
        if (k && same(*k, key))
            return UnescapeIniValue(lines_[i].mid(lines_[i].indexOf(QLatin1Char('=')) + 1));
    }
    return std::nullopt;
}

void IniText::SetValue(const QString& section, const QString& key, const QString& value) {
    const QString written = EscapeIniValue(value);
    const SectionLines lines = findSection(lines_, section);
    if (lines.header < 0) {
        lines_ << QLatin1Char('[') + section + QLatin1Char(']') << key + QLatin1Char('=') + written;
        return;
    }
    qsizetype lastKey = lines.header;
    for (qsizetype i = lines.header + 1; i < lines.end; ++i) {
        const std::optional<QString> k = keyOf(lines_[i]);
        if (!k)
            continue;
        lastKey = i;
        if (same(*k, key)) {
            lines_[i] = *k + QLatin1Char('=') + written;
            return;
        }
    }
    lines_.insert(lastKey + 1, key + QLatin1Char('=') + written);
}
