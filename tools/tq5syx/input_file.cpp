#include "input_file.h"

#include "bad_input.h"
#include "named_files.h"

std::unique_ptr<QFile> OpenInput(const QString& path) {
    QString problem;
    auto file = OpenForReading(path, FileKinds::RegularOrStandardInput, problem);
    if (!file)
        throw BadInput{path + QStringLiteral(": ") + problem};
    return file;
}
