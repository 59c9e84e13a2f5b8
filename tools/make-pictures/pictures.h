#pragma once

#include <QFont>
#include <QImage>

// Our own pictures for the controls and pages, drawn from scratch.

// The face all pictures write in.
inline QFont pictureFont(int pixelSize, bool bold = true) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Eight 72 x 78 diagrams of the algorithms: four numbered operator boxes, modulation lines,
// carrier lines to the foot, a feedback loop on operator 4 and the number underneath.
QImage drawAlgorithmStrip();
// Eight 80 x 87 oscilloscope pictures of one period of each wave shape on a dark grid.
QImage drawWaveStrip();
// The 50 x 20 plate behind a value field's caption.
QImage drawValueButton();
// The face of the multipart page's knobs.
QImage drawKnobFace();
// The donation button.
QImage drawDonateButton();
// The patch page's background, 791 x 687, seamless when tiled.
QImage drawWallpaper();
// The splash window's picture, 779 x 563.
QImage drawSplash();
// The controller's face with the parameter each encoder and key edits, for the README.
QImage drawControllerFace();
// The program's icon, 128 x 128 with a transparent corner.
QImage drawIcon();
