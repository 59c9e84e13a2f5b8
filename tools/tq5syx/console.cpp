#include "console.h"

#include <cstdio>

void WriteOut(const QByteArray& text) {
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    std::fflush(stdout);
}

void WriteErrorLine(const QString& line) {
    const QByteArray text = line.toLocal8Bit() + '\n';
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr);
}
