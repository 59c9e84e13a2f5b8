#include "console.h"

#include "bad_input.h"
#include "command_line.h"
#include "named_files.h"

#include <cstdio>

void WriteOut(const QByteArray& text) {
    if (const auto problem = WriteStandardOutput(text))
        throw BadInput{OutputFailure(*problem)};
}

void WriteErrorLine(const QString& line) {
    const QByteArray text = line.toLocal8Bit() + '\n';
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr);
}
