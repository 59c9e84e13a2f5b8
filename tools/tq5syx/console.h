#pragma once

#include <QByteArray>
#include <QString>

// Standard output takes the results, standard error one line per warning or error. A result that
// cannot be written throws BadInput saying why.
void WriteOut(const QByteArray& text);
void WriteErrorLine(const QString& line);
