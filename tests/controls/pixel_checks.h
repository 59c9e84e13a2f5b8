#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <cmath>
#include <numbers>

// Measurements on rendered pictures, independent of the code that drew them.

// The centre of a pure-red shape on a dark ground: pixels with only a red component, weighted
// by it. Anti-aliased edges weigh in by their coverage, so the centre is found to a fraction of
// a pixel. Null when there is no such pixel.
inline QPointF redCentre(const QImage& image) {
    double sum = 0, sx = 0, sy = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qGreen(p) != 0 || qBlue(p) != 0 || qRed(p) == 0)
                continue;
            sum += qRed(p);
            sx += qRed(p) * x;
            sy += qRed(p) * y;
        }
    return sum > 0 ? QPointF(sx / sum, sy / sum) : QPointF();
}

// Where a knob of the given side draws its dot pointer for an angle (degrees, counter-clockwise
// from the right), `distance` pixels from the centre; pixel (x, y) sits at its coordinates.
inline QPointF dotCentre(int side, double angle, double distance) {
    const double radius = side / 2.0;
    const double t = angle * std::numbers::pi / 180;
    return {radius + std::cos(t) * distance, radius - std::sin(t) * distance};
}

// The bounding box of the pixels of exactly this colour (the fully covered part of a text, say).
inline QRect inkOf(const QImage& image, QRgb ink) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == ink)
                box |= QRect(x, y, 1, 1);
    return box;
}

inline double distanceBetween(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}
