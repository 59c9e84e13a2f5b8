#pragma once

#include <QString>

// How a value is written after "key=" so that it reads back with its exact characters: control
// characters (line feeds above all: a value never adds a line, a key or a section), backslashes
// and the blanks at either end, which the reader trims, are written as escapes: \n, \r, \t, \\ and
// \xHH (\x20 for a blank). Everything else stands as it is, a comma or a quote included.
QString EscapeIniValue(const QString& value);

// The value as it stands after "key=" (the blanks and tabs around it trimmed), the escapes above
// undone. Any other backslash reads as itself, as files written by hand or before escapes had it.
QString UnescapeIniValue(const QString& written);

// Whether the reader trims the character from either end of a value.
inline bool IsIniBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
