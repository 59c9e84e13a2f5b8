#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {
constexpr double Tau = 2 * std::numbers::pi;

// A repeatable pseudo-random value in 0..1 for a lattice point.
double hashed(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint64_t h = (std::uint64_t(x) << 32 | y) ^ (std::uint64_t(seed) * 0x9E3779B97F4A7C15ull);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return double(h >> 11) / double(1ull << 53);
}

double smooth(double t) {
    return t * t * (3 - 2 * t);
}

// Value noise on a lattice of cellsX x cellsY cells stretched over the picture; the lattice
// wraps at the edges, so the noise tiles seamlessly.
double wrappedNoise(double u, double v, int cellsX, int cellsY, std::uint32_t seed) {
    const double gx = u * cellsX;
    const double gy = v * cellsY;
    const int x0 = int(std::floor(gx));
    const int y0 = int(std::floor(gy));
    const auto at = [&](int x, int y) {
        return hashed(std::uint32_t(((x % cellsX) + cellsX) % cellsX),
                      std::uint32_t(((y % cellsY) + cellsY) % cellsY), seed);
    };
    const double fx = smooth(gx - x0);
    const double fy = smooth(gy - y0);
    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return top + (bottom - top) * fy;
}

// Distance on the torus the tiled picture forms, in picture fractions.
double wrappedDistance(double u, double v, double cu, double cv, double aspect) {
    const double du = std::min(std::abs(u - cu), 1 - std::abs(u - cu)) * aspect;
    const double dv = std::min(std::abs(v - cv), 1 - std::abs(v - cv));
    return std::sqrt(du * du + dv * dv);
}

int channel(double value) {
    return std::clamp(int(std::lround(value)), 0, 255);
}
} // namespace

QImage drawWallpaper() {
    constexpr int width = 791;
    constexpr int height = 687;
    constexpr double aspect = double(width) / height;
    struct Glow {
        double u, v, radius, strength;
    };
    constexpr Glow glows[] = {
        {0.22, 0.30, 0.35, 18}, {0.74, 0.68, 0.42, 14}, {0.58, 0.12, 0.22, 9}};

    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const double v = double(y) / height;
        // Brushed streaks run along the rows.
        const double streak = hashed(0, std::uint32_t(y), 7) * 5 - 2.5;
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            double level = 20 + 6 * std::cos(Tau * u) * std::cos(Tau * v);
            level += 10 * wrappedNoise(u, v, 9, 8, 1) + 4 * wrappedNoise(u, v, 40, 35, 2);
            level += streak;
            for (const Glow& g : glows) {
                const double d = wrappedDistance(u, v, g.u, g.v, aspect) / g.radius;
                level += g.strength * std::exp(-d * d * 2.5);
            }
            const bool gridX = (x * 12) % width < 12;
            const bool gridY = (y * 10) % height < 10;
            const double grid = (gridX || gridY) ? 7 : 0;
            row[x] = qRgb(channel(level * 0.55 + grid * 0.4), channel(level * 0.75 + grid * 0.8),
                          channel(level * 1.25 + grid));
        }
    }
    return picture;
}

QImage drawSplash() {
    constexpr int width = 779;
    constexpr int height = 563;
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient sky(width * 0.35, height * 0.3, width * 0.9);
    sky.setColorAt(0, QColor(38, 58, 96));
    sky.setColorAt(0.6, QColor(12, 18, 34));
    sky.setColorAt(1, QColor(4, 6, 12));
    painter.fillRect(picture.rect(), sky);

    // Knob rings, as on the patch page.
    const QPointF hub(width * 0.76, height * 0.42);
    for (int k = 0; k < 5; ++k) {
        painter.setPen(QPen(QColor(90, 140, 210, 150 - 25 * k), 3.0 - 0.4 * k));
        painter.setBrush(Qt::NoBrush);
        const double r = 60 + 28 * k;
        painter.drawArc(QRectF(hub.x() - r, hub.y() - r, 2 * r, 2 * r), -60 * 16, 300 * 16);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 40, 40));
    painter.drawEllipse(
        hub + QPointF(std::cos(Tau * 40 / 360) * 60, -std::sin(Tau * 40 / 360) * 60), 8, 8);

    // An operator's sine across the lower part.
    QPainterPath wave;
    for (int x = 0; x <= width; x += 2) {
        const double envelope = std::exp(-double(x) / width * 1.6);
        const QPointF point(x, height * 0.78 - 46 * envelope * std::sin(Tau * x / 130.0));
        x == 0 ? wave.moveTo(point) : wave.lineTo(point);
    }
    painter.setPen(QPen(QColor(110, 255, 150, 200), 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wave);

    painter.setFont(pictureFont(72));
    painter.setPen(QColor(245, 245, 250));
    painter.drawText(QRect(48, 150, 600, 90), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Marrowlink"));
    painter.setFont(pictureFont(22, false));
    painter.setPen(QColor(255, 214, 90));
    painter.drawText(QRect(52, 240, 600, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("TQ5 sound editor and controller bridge"));
    return picture;
}
