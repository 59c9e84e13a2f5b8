#include "app/ini_value.h"

#include <algorithm>
#include <iterator>

namespace {

// The characters with an escape of their own: the escape's letter, then what it stands for.
struct NamedEscape {
    char letter;
    char16_t character;
};
constexpr NamedEscape NamedEscapes[] = {{'\\', u'\\'}, {'n', u'\n'}, {'r', u'\r'}, {'t', u'\t'}};

int hexDigit(QChar c) {
    const char ascii = c.toLatin1();
    if (ascii >= '0' && ascii <= '9')
        return ascii - '0';
    if (ascii >= 'a' && ascii <= 'f')
        return ascii - 'a' + 10;
    if (ascii >= 'A' && ascii <= 'F')
        return ascii - 'A' + 10;
    return -1;
}

} // namespace

QString EscapeIniValue(const QString& value) {
    qsizetype first = 0;
    while (first < value.size() && value[first] == QLatin1Char(' '))
        ++first;
    qsizetype end = value.size();
    while (end > first && value[end - 1] == QLatin1Char(' '))
        --end;
    QString written;
    written.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        const auto named = std::find_if(std::begin(NamedEscapes), std::end(NamedEscapes),
                                        [c](const NamedEscape& e) { return e.character == c; });
        if (named != std::end(NamedEscapes))
            written += QStringLiteral("\\") + QLatin1Char(named->letter);
        else if (c.category() == QChar::Other_Control || i < first || i >= end)
            // Every control character is below U+0100.
            written += QStringLiteral("\\x") +
                       QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            written += c;
    }
    return written;
}

QString UnescapeIniValue(const QString& written) {
    qsizetype first = 0;
    qsizetype end = written.size();
    while (first < end && IsIniBlank(written[first]))
        ++first;
    while (end > first && IsIniBlank(written[end - 1]))
        --end;
    QString value;
    value.reserve(end - first);
    for (qsizetype i = first; i < end; ++i) {
        const QChar c = written[i];
        if (c != QLatin1Char('\\') || i + 1 == end) {
            value += c;
            continue;
        }
        const QChar next = written[i + 1];
        const auto named =
            std::find_if(std::begin(NamedEscapes), std::end(NamedEscapes),
                         [next](const NamedEscape& e) { return QLatin1Char(e.letter) == next; });
        if (named != std::end(NamedEscapes)) {
            value += QChar(named->character);
            i += 1;
        } else if (next == QLatin1Char('x') && i + 3 < end && hexDigit(written[i + 2]) >= 0 &&
                   hexDigit(written[i + 3]) >= 0) {
            value += QChar(char16_t(hexDigit(written[i + 2]) * 16 + hexDigit(written[i + 3])));
            i += 3;
        } else {
            value += c;
        }
    }
    return value;
}
