#pragma once

#include "model/bcl_sysex.h"

#include <QString>
#include <QStringList>
#include <optional>

// How the controller reads the words of a preset line.
namespace BclWords {

// The words of a line: a quoted text ('...') is one word with its quotes, and a ';' outside a
// text starts a comment that runs to the end of the line. Nothing when a quote is not closed.
std::optional<QStringList> WordsOf(const QString& line);

// A number as the language writes it, decimal ("-40") or hexadecimal after a '$' ("$F0"), that
// must lie in low..high.
Bcl::Error ReadNumber(const QString& word, int low, int high, int& value);

// A number, or the word "off" (read as Off), as the second value of a key may be.
inline constexpr int Off = -1;
Bcl::Error ReadNumberOrOff(const QString& word, int low, int high, int& value);

} // namespace BclWords
