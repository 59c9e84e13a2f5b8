#include "app/screenshots.h"

#include "app/splash_window.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <cstdio>

namespace {
constexpr int AnswerWaitMs = 2000;
const QString FromSynth = QStringLiteral("Current: From Synth");

bool answered(const TfMidi& window) {
    const auto* patch = window.findChild<QLabel*>(QStringLiteral("lCurrentPatch"));
    const auto* multi = window.findChild<QLabel*>(QStringLiteral("lCurrentMulti"));
    return patch && multi && patch->text() == FromSynth && multi->text() == FromSynth;
}

bool save(QWidget& widget, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "marrowlink: %s cannot be written\n", qPrintable(path));
    return false;
}
} // namespace

int TakeScreenshots(TfMidi& window, TfSplash& splash, const QString& folder) {
    const QDir target(folder);
    if (!QDir().mkpath(target.absolutePath())) {
        std::fprintf(stderr, "marrowlink: the folder %s cannot be made\n", qPrintable(folder));
        return 1;
    }
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!answered(window) && waited.elapsed() < AnswerWaitMs)
        QApplication::processEvents(QEventLoop::AllEvents, 20);

    struct Shot {
        TfMidi::Page page;
        const char* name;
    };
    bool written = true;
    for (const Shot& shot :
         {Shot{TfMidi::PatchIndex, "patch.png"}, Shot{TfMidi::MultipartIndex, "multipart.png"},
          Shot{TfMidi::MidiSetupIndex, "setup.png"}, Shot{TfMidi::LibraryIndex, "library.png"}}) {
        window.ShowPage(shot.page);
        QApplication::processEvents();
        written = save(window, target, shot.name) && written;
    }
    window.ShowPage(TfMidi::PatchIndex);
    splash.show();
    QApplication::processEvents();
    written = save(splash, target, "splash.png") && written;
    return written ? 0 : 1;
}
