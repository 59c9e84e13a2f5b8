#include "controls/pictures.h"

#include "controls/jpeg_decoder.h"

#include <QtGlobal>

namespace {
QImage png(const char* name) {
    const QString path = QStringLiteral(":/pictures/") + QLatin1String(name);
    QImage image(path);
    if (image.isNull())
        qWarning("Cannot read the picture %s", qUtf8Printable(path));
    return image;
}

QImage jpeg(const char* name) {
    return loadJpeg(QStringLiteral(":/pictures/") + QLatin1String(name));
}
} // namespace

namespace Pictures {
QImage AlgorithmStrip() {
    return png("algorithm-strip.png");
}
QImage WaveStrip() {
    return png("wave-strip.png");
}
QImage ValueButton() {
    return png("value-button.png");
}
QImage MultipartKnob() {
    return png("multipart-knob.png");
}
QImage DonateButton() {
    return png("donate-button.png");
}
QImage Wallpaper() {
    return jpeg("wallpaper.jpg");
}
QImage Splash() {
    return jpeg("splash.jpg");
}
} // namespace Pictures
