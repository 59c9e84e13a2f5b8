#include "controls/jpeg_decoder.h"

#include <QFile>
#include <QtGlobal>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <vector>

namespace {
// A picture of more pixels than this is refused rather than allocated.
constexpr std::size_t MaxPixels = std::size_t(64) * 1024 * 1024;

// libjpeg's default error handler ends the process; this one jumps back to the decoder.
struct ErrorManager {
    jpeg_error_mgr base; // first, so that libjpeg's pointer is also ours
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpOnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns about damaged data (a truncated file, a corrupt segment) and decodes on
// with grey filler; the first warning is kept, and the picture is refused afterwards.
void keepFirstWarning(j_common_ptr info, int level) {
    if (level >= 0)
        return;
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (info->err->num_warnings++ == 0)
        info->err->format_message(info, errors->message);
}

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager errors;
    std::vector<unsigned char> pixels; // RGB rows, tightly packed
    int width = 0;
    int height = 0;
};

// Only plain data lives in this frame, so that a jump from libjpeg skips no destructor.
bool decodeRgb(Decoder* d, const unsigned char* data, unsigned long size) {
    if (setjmp(d->errors.jump))
        return false;
    jpeg_create_decompress(&d->info);
    jpeg_mem_src(&d->info, data, size);
    jpeg_read_header(&d->info, TRUE);
    if (std::size_t(d->info.image_width) * d->info.image_height > MaxPixels) {
        std::snprintf(d->errors.message, sizeof d->errors.message, "%ux%u pixels is too large",
                      d->info.image_width, d->info.image_height);
        return false;
    }
    d->info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d->info);
    if (d->info.output_components != 3) {
        std::snprintf(d->errors.message, sizeof d->errors.message, "unsupported colour layout");
        return false;
    }
    const std::size_t rowBytes = std::size_t(d->info.output_width) * 3;
    d->pixels.resize(rowBytes * d->info.output_height);
    while (d->info.output_scanline < d->info.output_height) {
        JSAMPROW row = d->pixels.data() + rowBytes * d->info.output_scanline;
        jpeg_read_scanlines(&d->info, &row, 1);
    }
    jpeg_finish_decompress(&d->info);
    d->width = int(d->info.output_width);
    d->height = int(d->info.output_height);
    return d->errors.base.num_warnings == 0;
}

QImage failed(const QString& source, const char* reason) {
    qWarning("Cannot read the picture %s: %s", qUtf8Printable(source), reason);
    return {};
}
} // namespace

QImage decodeJpeg(const QByteArray& data, const QString& source) {
    Decoder d{};
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = jumpOnError;
    d.errors.base.emit_message = keepFirstWarning;
    const bool decoded = decodeRgb(&d, reinterpret_cast<const unsigned char*>(data.constData()),
                                   static_cast<unsigned long>(data.size()));
    jpeg_destroy_decompress(&d.info);
    if (!decoded)
        return failed(source, d.errors.message);

    QImage image(d.width, d.height, QImage::Format_RGB888);
    const std::size_t rowBytes = std::size_t(d.width) * 3;
    for (int y = 0; y < d.height; ++y)
        std::memcpy(image.scanLine(y), d.pixels.data() + rowBytes * std::size_t(y), rowBytes);
    return image;
}

QImage loadJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(path, qUtf8Printable(file.errorString()));
    return decodeJpeg(file.readAll(), path);
}
