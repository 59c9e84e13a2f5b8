#pragma once

#include <QFile>
#include <QString>
#include <memory>

// Opens a file named on the command line for reading, or throws BadInput saying why it cannot be
// read (missing, a directory, no permission).
std::unique_ptr<QFile> OpenInput(const QString& path);
