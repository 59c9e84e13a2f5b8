#pragma once

#include <QFile>
#include <QString>
#include <memory>

// Opens a file named on the command line for reading, or throws BadInput saying why it cannot be
// read (missing, a directory, a FIFO or a device, no permission). The tool's own standard input
// (/dev/stdin) may be a pipe.
std::unique_ptr<QFile> OpenInput(const QString& path);
