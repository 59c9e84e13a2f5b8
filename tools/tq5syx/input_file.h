#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

// Opens a file named on the command line for reading, or throws BadInput saying why it cannot be
// read (missing, a directory, a FIFO or a device, no permission). The tool's own standard input
// (/dev/stdin) may be a pipe.
std::unique_ptr<QFile> OpenInput(const QString& path);

// The whole file named on the command line. Sound files and banks are kilobytes; a file beyond a
// few megabytes (an endless device, the wrong file) is refused with BadInput, as is one that
// cannot be read.
QByteArray ReadInput(const QString& path);
