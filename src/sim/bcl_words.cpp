#include "sim/bcl_words.h"

namespace BclWords {

std::optional<QStringList> WordsOf(const QString& line) {
    QStringList words;
    qsizetype at = 0;
    while (at < line.size()) {
        if (line[at].isSpace()) {
            ++at;
            continue;
        }
        if (line[at] == QLatin1Char(';'))
            break;
        qsizetype end = at;
        if (line[at] == QLatin1Char('\'')) {
            end = line.indexOf(QLatin1Char('\''), at + 1);
            if (end < 0)
                return std::nullopt;
            ++end;
        } else {
            while (end < line.size() && !line[end].isSpace() && line[end] != QLatin1Char(';'))
                ++end;
        }
        words << line.mid(at, end - at);
        at = end;
    }
    return words;
}

Bcl::Error ReadNumber(const QString& word, int low, int high, int& value) {
    bool isNumber = false;
    const bool hex = word.startsWith(QLatin1Char('$'));
    // toInt would take "0x10" and " 5": the language knows neither.
    const QString digits = hex ? word.mid(1) : word;
    const bool plain = !digits.isEmpty() && !digits.contains(QLatin1Char('x')) &&
                       !digits.contains(QLatin1Char('X')) && !digits.front().isSpace();
    value = plain ? digits.toInt(&isNumber, hex ? 16 : 10) : 0;
    if (!isNumber ||
        (hex && (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))))
        return Bcl::NotANumber;
    return value < low || value > high ? Bcl::ValueOutOfRange : Bcl::Accepted;
}

Bcl::Error ReadNumberOrOff(const QString& word, int low, int high, int& value) {
    if (word == QLatin1String("off")) {
        value = Off;
        return Bcl::Accepted;
    }
    return ReadNumber(word, low, high, value);
}

} // namespace BclWords
