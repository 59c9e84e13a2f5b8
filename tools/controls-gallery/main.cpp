// controls-gallery OUTDIR: renders each custom control in its documented states to PNG files in
// OUTDIR, offscreen. Exit 0 when every picture was written.
#include "gallery.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <cstdio>

void Gallery::save(QWidget& widget, const QString& name) {
    save(widget.grab().toImage(), name);
}

void Gallery::save(const QImage& image, const QString& name) {
    const QString path = folder_.filePath(name + QStringLiteral(".png"));
    if (image.isNull() || !image.save(path, "PNG"))
        failures_.append(path);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: controls-gallery OUTDIR\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "controls-gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    Gallery gallery(folder);
    knobScenes(gallery);
    envelopeScenes(gallery);
    pictureScenes(gallery);
    buttonScenes(gallery);
    wallpaperScenes(gallery);
    for (const QString& path : gallery.failures())
        std::fprintf(stderr, "controls-gallery: cannot write %s\n", qUtf8Printable(path));
    return gallery.failures().isEmpty() ? 0 : 1;
}
