// The JPEG decoder of the program's pictures, on any bytes.
#include "controls/jpeg_decoder.h"

#include <QtGlobal>
#include <cstdio>

namespace {
// Each refused picture is one warning; the fuzzer's own output is what matters here.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qUtf8Printable(text)); // Qt aborts after it
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    decodeJpeg(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)),
               QStringLiteral("fuzz input"));
    return 0;
}
