#include "controls/envelope_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {
// Values come unchecked from callers; wide arithmetic keeps far-out values from overflowing.
int scaled(std::int64_t value, std::int64_t factor, std::int64_t divisor) {
    return int(value * factor / divisor);
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
    const int w = width - 1;
    const int h = height - 1;
    const int q = w / 4;
    const auto levelY = [&](int level) { return h - scaled(h, level, max); };
    const auto span = [&](int rate) { return scaled(max - std::int64_t(rate), q, max); };
    EnvelopePoints p;
    p[0] = QPoint(0, levelY(v[L4]));
    p[1] = QPoint(p[0].x() + span(v[R1]), levelY(v[L1]));
    p[2] = QPoint(p[1].x() + span(v[R2]), levelY(v[L2]));
    p[3] = QPoint(p[2].x() + span(v[R3]), levelY(v[L3]));
    p[4] = QPoint(w - span(v[R4]), p[3].y());
    p[5] = QPoint(w, p[0].y());
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
    const int qx = (width - 1) / 4;
    const int hy = height - 2;
    const QPoint& at = points[std::size_t(marker)];
    const MarkerValues& edit = MarkerTable[std::size_t(marker)];
    const auto moveBy = [max](int& value, int delta) {
        value = int(std::clamp<std::int64_t>(std::int64_t(value) + delta, 0, max));
    };
    if (edit.rate >= 0)
        moveBy(values[std::size_t(edit.rate)],
               scaled(edit.rateDirection * (to.x() - at.x()), max, qx));
    moveBy(values[std::size_t(edit.level)], scaled(at.y() - to.y(), max, hy));
}
