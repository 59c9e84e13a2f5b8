#include "controls/jpeg_decoder.h"

#include <QFile>
#include <QtGlobal>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {
// Far more than any picture of the program needs (the wallpaper has 791 x 687): the size a file
// declares is checked against this before anything is allocated for it.
constexpr std::size_t MaxPixels = std::size_t(4096) * 4096;
// libjpeg's own working memory. A progressive picture keeps all its coefficients until the last
// scan, two bytes a sample: three full-size components at the pixel limit, and some room.
constexpr long MaxDecoderMemory = long(2 * 3 * MaxPixels) + (long(16) << 20);
// A picture file is read whole; one that links to an endless device must not fill the memory.
constexpr qint64 MaxFileBytes = qint64(64) << 20;

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
// with grey filler; the first warning is kept, and the picture is refused at once.
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
};

bool refuse(Decoder* d, const char* reason) {
    std::snprintf(d->errors.message, sizeof d->errors.message, "%s", reason);
    return false;
}

// The three steps below hold only plain data in their frames, so that a jump from libjpeg skips
// no destructor; the picture is allocated between them, once its size is known to be sound.

bool readHeader(Decoder* d, const unsigned char* data, unsigned long size) {
    if (setjmp(d->errors.jump))
        return false;
    jpeg_create_decompress(&d->info);
    d->info.mem->max_memory_to_use = MaxDecoderMemory;
    jpeg_mem_src(&d->info, data, size);
    jpeg_read_header(&d->info, TRUE);
    if (std::size_t(d->info.image_width) * d->info.image_height > MaxPixels) {
        std::snprintf(d->errors.message, sizeof d->errors.message, "%ux%u pixels is too large",
                      d->info.image_width, d->info.image_height);
        return false;
    }
    d->info.out_color_space = JCS_RGB;
    return true;
}

bool startDecoding(Decoder* d) {
    if (setjmp(d->errors.jump))
        return false;
    jpeg_start_decompress(&d->info);
    if (d->info.output_components != 3)
        return refuse(d, "unsupported colour layout");
    return d->errors.base.num_warnings == 0;
}

bool readRows(Decoder* d, unsigned char* pixels, qsizetype bytesPerLine) {
    if (setjmp(d->errors.jump))
        return false;
    while (d->info.output_scanline < d->info.output_height) {
        JSAMPROW row = pixels + bytesPerLine * qsizetype(d->info.output_scanline);
        jpeg_read_scanlines(&d->info, &row, 1);
        if (d->errors.base.num_warnings > 0)
            return false;
    }
    jpeg_finish_decompress(&d->info);
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
    QImage image;
    bool decoded = readHeader(&d, reinterpret_cast<const unsigned char*>(data.constData()),
                              static_cast<unsigned long>(data.size())) &&
                   startDecoding(&d);
    if (decoded) {
        // Decoded straight into the picture: its pixels are allocated once.
        image = QImage(int(d.info.output_width), int(d.info.output_height), QImage::Format_RGB888);
        decoded = !image.isNull() ? readRows(&d, image.bits(), image.bytesPerLine())
                                  : refuse(&d, "not enough memory");
    }
    jpeg_destroy_decompress(&d.info);
    if (!decoded)
        return failed(source, d.errors.message);
    return image;
}

QImage loadJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(path, qUtf8Printable(file.errorString()));
    const QByteArray data = file.read(MaxFileBytes + 1);
    if (data.size() > MaxFileBytes)
        return failed(path, "the file is too large");
    return decodeJpeg(data, path);
}
