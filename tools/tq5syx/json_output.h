#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// What voice and multi print: written by hand so that the keys keep this order.
struct Readout {
    QString kind;
    std::optional<int> position;   // a bank's voice: its place in the file, 1..
    std::optional<QString> format; // and the kind of file it came from
    std::optional<QString> name;
    std::vector<std::pair<QString, int>> params;
    QStringList warnings;
};

// A JSON string literal in plain ASCII: quotes, backslashes, control characters and everything
// above 0x7E are escaped.
QByteArray JsonString(const QString& text);

// The readout as one JSON object, one parameter per line.
QByteArray FormatReadout(const Readout& readout);
// The readouts as a JSON list of such objects.
QByteArray FormatReadouts(const std::vector<Readout>& readouts);
