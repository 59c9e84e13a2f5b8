#include "input_file.h"

#include "bad_input.h"

#include <QFileInfo>

std::unique_ptr<QFile> OpenInput(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw BadInput{path + QStringLiteral(": no such file")};
    if (info.isDir())
        throw BadInput{path + QStringLiteral(": is a directory, not a file")};
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw BadInput{path + QStringLiteral(": cannot be read: ") + file->errorString()};
    return file;
}
