#include "input_file.h"

#include "bad_input.h"
#include "model/bounded_read.h"
#include "named_files.h"

namespace {
constexpr qint64 MaxInputBytes = qint64(16) << 20;
} // namespace

std::unique_ptr<QFile> OpenInput(const QString& path) {
    QString problem;
    auto file = OpenForReading(path, FileKinds::RegularOrStandardInput, problem);
    if (!file)
        throw BadInput{path + QStringLiteral(": ") + problem};
    return file;
}

QByteArray ReadInput(const QString& path) {
    const auto file = OpenInput(path);
    const auto bytes = ReadAtMost(*file, MaxInputBytes);
    if (!bytes)
        throw BadInput{path + QStringLiteral(": too large: a sound file or bank is read up to %1 "
                                             "bytes")
                                  .arg(MaxInputBytes)};
    if (file->error() != QFileDevice::NoError)
        throw BadInput{path + QStringLiteral(": ") + file->errorString()};
    return *bytes;
}
