#include "controls/antialiased_drawing.h"

#include <QImage>
#include <QVarLengthArray>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <numbers>

namespace {

void reportDrawingError() {
    static std::atomic<bool> reported{false};
    if (!reported.exchange(true))
        qWarning("%s", KnobDrawingErrorText);
}

bool finite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

int roundEven(float v) {
    return int(std::nearbyint(v));
}

// Blend weight 0..255 of a pixel `distance` inside a soft edge `band` wide.
int edgeAlpha(float distance, float band) {
    return std::clamp(roundEven(distance * 2.0f / band * 127.5f + 127.5f), 0, 255);
}

uchar mix(int oldValue, int newValue, int alpha) {
    // Exact rounding of (alpha * new + (255 - alpha) * old) / 255: the quotient never ends in .5.
    return uchar((alpha * newValue + (255 - alpha) * oldValue + 127) / 255);
}

void blendPixel(uchar* pixel, TColor colour, int alpha) {
    pixel[0] = mix(pixel[0], colour.Red(), alpha);
    pixel[1] = mix(pixel[1], colour.Green(), alpha);
    pixel[2] = mix(pixel[2], colour.Blue(), alpha);
}

TColor blendColour(TColor under, TColor over, int alpha) {
    return TColor(mix(under.Red(), over.Red(), alpha), mix(under.Green(), over.Green(), alpha),
                  mix(under.Blue(), over.Blue(), alpha));
}

// The soft edges of a ring or disk. Distances are compared squared, as the pixels are measured.
struct Ring {
    float inner = 0; // inner edge radius; ignored for a disk
    float outer = 0; // outer edge radius
    float band = 0;  // width over which each edge fades
    bool hasInner = false;
};

// Walks the pixels the ring covers, row by row, and hands each with its colour to the image:
// set inside the ring, blended across its soft edges.
template <class ColourAt>
void drawRing(QImage& image, const Ring& ring, float cx, float cy, ColourAt colourAt) {
    const float h = ring.band / 2;
    const float reach = ring.outer + h;
    const float reach2 = reach * reach;
    const float outerSolid2 = (ring.outer - h) * (ring.outer - h);
    const float innerLimit2 = (ring.inner - h) * (ring.inner - h);
    const float innerSolid2 = (ring.inner + h) * (ring.inner + h);

    const int x0 = std::max(0, int(std::floor(cx - reach)));
    const int x1 = std::min(image.width() - 1, int(std::ceil(cx + reach)));
    const int y0 = std::max(0, int(std::floor(cy - reach)));
    const int y1 = std::min(image.height() - 1, int(std::ceil(cy + reach)));
    if (x0 > x1 || y0 > y1)
        return;

    QVarLengthArray<float, 256> columnDistance2(x1 - x0 + 1);
    for (int x = x0; x <= x1; ++x)
        columnDistance2[x - x0] = (float(x) - cx) * (float(x) - cx);

    for (int y = y0; y <= y1; ++y) {
        const float dy2 = (float(y) - cy) * (float(y) - cy);
        uchar* row = image.scanLine(y);
        for (int x = x0; x <= x1; ++x) {
            const float d2 = columnDistance2[x - x0] + dy2;
            if (d2 >= reach2 || (ring.hasInner && d2 <= innerLimit2))
                continue;
            uchar* pixel = row + 3 * x;
            const TColor colour = colourAt(x, y);
            if (d2 >= outerSolid2)
                blendPixel(pixel, colour, edgeAlpha(ring.outer - std::sqrt(d2), ring.band));
            else if (!ring.hasInner || d2 >= innerSolid2)
                blendPixel(pixel, colour, 255);
            else
                blendPixel(pixel, colour, edgeAlpha(std::sqrt(d2) - ring.inner, ring.band));
        }
    }
}

Ring ringOf(float edge, float width, float radius) {
    return Ring{radius - width / 2, radius + width / 2, std::min(width, edge), true};
}

// Weight of the second colour for each whole degree: 0 on lo..hi, 1 on the opposite arc,
// linear ramps between.
std::array<float, 360> gradientWeights(int lo, int hi) {
    std::array<float, 360> weight{};
    const auto at = [&](int degree) -> float& { return weight[((degree % 360) + 360) % 360]; };
    if (lo == hi) {
        for (int k = 0; k < 360; ++k)
            at(lo + k) = float(k) / 359.0f;
        return weight;
    }
    for (int j = lo; j <= hi; ++j) {
        at(j) = 0;
        at(j + 180) = 1;
    }
    const float span = float(lo + 180 - hi);
    for (int j = hi + 1; j <= lo + 179; ++j) {
        at(j) = float(j - hi) / span;
        at(j + 180) = 1 - at(j);
    }
    return weight;
}

int directionOf(int x, int y, float cx, float cy) {
    const double degrees =
        std::atan2(double(cy - float(y)), double(float(x) - cx)) * 180.0 / std::numbers::pi;
    return ((int(std::nearbyint(degrees)) % 360) + 360) % 360;
}

} // namespace

void DrawAntialiasedDisk(QImage& image, float edge, float radius, float centreY, float centreX,
                         TColor colour) {
    if (!finite({edge, radius, centreY, centreX})) {
        reportDrawingError();
        return;
    }
    drawRing(image, Ring{0, radius, edge, false}, centreX, centreY,
             [colour](int, int) { return colour; });
}

void DrawAntialiasedCircle(QImage& image, float edge, float width, float radius, float centreY,
                           float centreX, TColor colour) {
    if (!finite({edge, width, radius, centreY, centreX})) {
        reportDrawingError();
        return;
    }
    drawRing(image, ringOf(edge, width, radius), centreX, centreY,
             [colour](int, int) { return colour; });
}

void DrawGradientCircle(QImage& image, TColor first, int angle1, int angle2, TColor second,
                        float edge, float width, float radius, float centreY, float centreX) {
    if (!finite({edge, width, radius, centreY, centreX})) {
        reportDrawingError();
        return;
    }
    const int lo = std::min(angle1, angle2);
    const int hi = std::max(angle1, angle2);
    const bool drawable = lo == hi ? lo <= 359 : (lo <= 179 && hi < lo + 180);
    if (!drawable)
        return;
    const std::array<float, 360> weight = gradientWeights(lo, hi);
    drawRing(image, ringOf(edge, width, radius), centreX, centreY, [&](int x, int y) {
        const int alpha = roundEven(weight[directionOf(x, y, centreX, centreY)] * 255.0f);
        return blendColour(first, second, alpha);
    });
}
