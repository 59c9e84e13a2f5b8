#include "controls/envelope_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
// Values come unchecked from callers: the arithmetic is wide, and a point or value beyond int
// stops at its ends rather than wrapping round.
using Wide = std::int64_t;

int saturated(Wide value) {
    return int(
        std::clamp<Wide>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// value * factor / divisor, truncated toward zero. Every operand is an int, so the product fits.
Wide scaled(Wide value, Wide factor, Wide divisor) {
    return value * factor / divisor;
}

enum ValueIndex { R1, L1, R2, L2, R3, L3, R4, L4 };

// The rate and level each marker edits; a rate grows when its marker moves left, except the
// release rate, which grows to the right.
struct MarkerValues {
    int rate; // -1: none
    int level;
    int rateDirection;
};
constexpr std::array<MarkerValues, 6> MarkerTable{{
    {-1, L4, 0},
    {R1, L1, -1},
    {R2, L2, -1},
    {R3, L3, -1},
    {R4, L3, 1},
    {-1, L4, 0},
}};
} // namespace

EnvelopePoints envelopePoints(const EnvelopeValues& v, int width, int height, int max) {
    const Wide w = Wide(width) - 1;
    const Wide h = Wide(height) - 1;
    const Wide q = w / 4;
    const auto levelY = [&](int level) { return saturated(h - scaled(h, level, max)); };
    // The rate's distance is taken as a whole before it is added: a rate far below 0 (a span
    // beyond int) must not wrap round.
    const auto after = [&](int x, int rate) {
        return saturated(x + scaled(max - Wide(rate), q, max));
    };
    EnvelopePoints p;
    p[0] = QPoint(0, levelY(v[L4]));
    p[1] = QPoint(after(p[0].x(), v[R1]), levelY(v[L1]));
    p[2] = QPoint(after(p[1].x(), v[R2]), levelY(v[L2]));
    p[3] = QPoint(after(p[2].x(), v[R3]), levelY(v[L3]));
    p[4] = QPoint(saturated(w - scaled(max - Wide(v[R4]), q, max)), p[3].y());
    p[5] = QPoint(saturated(w), p[0].y());
    return p;
}

int markerAt(const EnvelopePoints& points, QPoint point, int markerSize) {
    const int s = std::max(markerSize, 5);
    for (int k = 0; k < int(points.size()); ++k) {
        const QPoint& p = points[std::size_t(k)];
        if (point.x() >= p.x() - s && point.x() <= p.x() + s && point.y() >= p.y() - s &&
            point.y() <= p.y() + s)
            return k;
    }
    return -1;
}

void dragMarker(EnvelopeValues& values, const EnvelopePoints& points, int marker, QPoint to,
                int width, int height, int max) {
    if (marker < 0 || marker >= int(points.size()) || width < 5 || height < 3 || max < 1)
        return;
    const Wide qx = (Wide(width) - 1) / 4;
    const Wide hy = Wide(height) - 2;
    const QPoint& at = points[std::size_t(marker)];
    const MarkerValues& edit = MarkerTable[std::size_t(marker)];
    // The distance of two ints and its scaling by max fit in 64 bits; the sum with the value
    // is clamped to 0..max at once.
    const auto moveBy = [max](int& value, Wide delta) {
        value = int(std::clamp<Wide>(Wide(value) + delta, 0, max));
    };
    if (edit.rate >= 0)
        moveBy(values[std::size_t(edit.rate)],
               scaled(edit.rateDirection * (Wide(to.x()) - at.x()), max, qx));
    moveBy(values[std::size_t(edit.level)], scaled(Wide(at.y()) - to.y(), max, hy));
}
