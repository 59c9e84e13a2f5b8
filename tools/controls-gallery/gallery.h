#pragma once

#include <QDir>
#include <QStringList>

class QImage;
class QWidget;

// Writes widget pictures into one folder and remembers what failed.
class Gallery {
public:
    explicit Gallery(const QDir& folder) : folder_(folder) {}

    // Saves what the widget shows (its own area) as NAME.png.
    void save(QWidget& widget, const QString& name);
    void save(const QImage& image, const QString& name);
    const QStringList& failures() const { return failures_; }

private:
    QDir folder_;
    QStringList failures_;
};

// Each scene builds controls in their documented states and saves them.
void knobScenes(Gallery& gallery);
void envelopeScenes(Gallery& gallery);
void pictureScenes(Gallery& gallery);
void buttonScenes(Gallery& gallery);
void wallpaperScenes(Gallery& gallery);
