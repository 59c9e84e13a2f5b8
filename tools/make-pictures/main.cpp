// make-pictures OUTDIR: draws the project's own pictures (picture strips, button and knob
// faces, the patch page wallpaper, the splash, the controller layout and the program's icon) and
// writes them into OUTDIR.
#include "files/safe_save.h"
#include "jpeg_writer.h"
#include "pictures.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace {
constexpr int JpegQuality = 90;

bool writeFile(const QDir& folder, const char* name, const QByteArray& bytes) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    const auto error = SafeSave::WriteAtomically(path, bytes);
    if (!error)
        return true;
    std::fprintf(stderr, "make-pictures: cannot write %s: %s\n", qUtf8Printable(path),
                 qUtf8Printable(*error));
    return false;
}

bool writePng(const QImage& image, const QDir& folder, const char* name) {
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    return image.save(&png, "PNG") && writeFile(folder, name, png.data());
}

bool writeJpeg(const QImage& image, const QDir& folder, const char* name) {
    return writeFile(folder, name, BaselineJpeg(image, JpegQuality));
}
} // namespace

int main(int argc, char** argv) {
    // Fonts come from fontconfig; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures OUTDIR\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make-pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    // Strips and small pictures as 24-bit RGB.
    const auto rgb = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB888);
    };
    const bool written = writePng(rgb(drawAlgorithmStrip()), folder, "algorithm-strip.png") &&
                         writePng(rgb(drawWaveStrip()), folder, "wave-strip.png") &&
                         writePng(rgb(drawValueButton()), folder, "value-button.png") &&
                         writePng(rgb(drawKnobFace()), folder, "multipart-knob.png") &&
                         writePng(rgb(drawDonateButton()), folder, "donate-button.png") &&
                         writeJpeg(drawWallpaper(), folder, "wallpaper.jpg") &&
                         writeJpeg(drawSplash(), folder, "splash.jpg") &&
                         writePng(rgb(drawControllerFace()), folder, "controller-layout.png") &&
                         writePng(drawIcon(), folder, "marrowlink.png");
    return written ? 0 : 1;
}
