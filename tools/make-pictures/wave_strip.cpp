#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace {
constexpr int GlyphWidth = 80;
constexpr int GlyphHeight = 87;
// The controls show the top 80 rows: the trace is centred in them.
constexpr int CentreY = 40;
constexpr double Amplitude = 30;
constexpr int TraceLeft = 4;
constexpr int TraceRight = 76;

const QColor Screen(6, 14, 10);
const QColor Grid(22, 58, 36);
const QColor Axis(40, 100, 62);
const QColor Trace(110, 255, 150);

double sine(double t) {
    return std::sin(2 * std::numbers::pi * t);
}
// A sine whose slopes flatten around the zero crossings.
double flattened(double t) {
    const double s = sine(t);
    return s * std::abs(s);
}
// The shape in the first half of the period, flat in the second.
double firstHalf(double t, double (*shape)(double)) {
    return t < 0.5 ? shape(t) : 0;
}

// One period of each wave, t in 0..1, values in -1..1.
const std::array<std::function<double(double)>, 8> Waves{{
    sine,
    flattened,
    [](double t) { return firstHalf(t, sine); },
    [](double t) { return firstHalf(t, flattened); },
    [](double t) { return firstHalf(t, [](double u) { return sine(2 * u); }); },
    [](double t) { return t < 0.5 ? 0 : flattened(2 * t - 1); },
    [](double t) { return firstHalf(t, [](double u) { return std::abs(sine(2 * u)); }); },
    [](double t) {
        return firstHalf(t, [](double u) {
            const double s = sine(2 * u);
            return s * s;
        });
    },
}};

void drawGrid(QPainter& painter, int originX) {
    painter.fillRect(originX, 0, GlyphWidth, GlyphHeight, Screen);
    painter.setPen(Grid);
    for (int x = TraceLeft; x <= TraceRight; x += 9)
        painter.drawLine(originX + x, 0, originX + x, GlyphHeight - 1);
    for (int y = CentreY % 10; y < GlyphHeight; y += 10)
        painter.drawLine(originX, y, originX + GlyphWidth - 1, y);
    painter.setPen(Axis);
    painter.drawLine(originX, CentreY, originX + GlyphWidth - 1, CentreY);
}

void drawTrace(QPainter& painter, int originX, const std::function<double(double)>& wave) {
    QPainterPath path;
    const int steps = (TraceRight - TraceLeft) * 4;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF point(originX + TraceLeft + t * (TraceRight - TraceLeft) + 0.5,
                            CentreY - Amplitude * wave(t) + 0.5);
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Trace, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setRenderHint(QPainter::Antialiasing, false);
}
} // namespace

QImage drawWaveStrip() {
    QImage strip(GlyphWidth * int(Waves.size()), GlyphHeight, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int k = 0; k < int(Waves.size()); ++k) {
        drawGrid(painter, k * GlyphWidth);
        drawTrace(painter, k * GlyphWidth, Waves[std::size_t(k)]);
    }
    return strip;
}
