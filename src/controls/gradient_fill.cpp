#include "controls/gradient_fill.h"

#include "controls/qt_colour.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
struct Channels {
    int r, g, b;
};

Channels channelsOf(TColor c) {
    return {c.Red(), c.Green(), c.Blue()};
}

Channels midway(Channels from, Channels to) {
    return {from.r + (to.r - from.r) / 2, from.g + (to.g - from.g) / 2,
            from.b + (to.b - from.b) / 2};
}

// One half of the extent: `bands` bands from `offset` over `extent` pixels, stepping from one
// colour towards the other.
struct Half {
    int offset;
    int extent;
    int bands;
    Channels from;
    Channels to;
};

void fillHalf(QPainter& painter, bool across, const QSize& size, const Half& half) {
    for (int i = 0; i < half.bands; ++i) {
        const int begin = half.offset + MulDiv(i, half.extent, half.bands);
        const int end = half.offset + MulDiv(i + 1, half.extent, half.bands);
        const auto step = [&](int from, int to) { return from + MulDiv(i, to - from, half.bands); };
        const QColor colour(step(half.from.r, half.to.r), step(half.from.g, half.to.g),
                            step(half.from.b, half.to.b));
        const QRect band = across ? QRect(begin, 0, end - begin, size.height())
                                  : QRect(0, begin, size.width(), end - begin);
        painter.fillRect(band, colour);
    }
}
} // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t divisor = std::abs(std::int64_t(c));
    const std::int64_t magnitude = (std::abs(product) * 2 + divisor) / (2 * divisor);
    return int((product < 0) != (c < 0) ? -magnitude : magnitude);
}

void GradientFill(QImage& image, tGradientType2 type, TColor gradientColor, TColor color,
                  int nbOfColors) {
    const bool swapped = type == gr2RightToLeft || type == gr2BottomToTop ||
                         type == gr2HorizCenterToBorder || type == gr2VertCenterToBorder;
    const Channels c1 = channelsOf(swapped ? color : gradientColor);
    const Channels c2 = channelsOf(swapped ? gradientColor : color);
    const bool across = type == gr2LeftToRight || type == gr2RightToLeft ||
                        type == gr2HorizCenterToBorder || type == gr2HorizBorderToCenter;
    const bool linear = type <= gr2BottomToTop;

    const int extent = across ? image.width() : image.height();
    const int bands = nbOfColors >= 2 ? nbOfColors : std::clamp(extent, 2, 256);
    const Channels middle = linear ? midway(c1, c2) : c2;
    const Half first{0, extent / 2, bands / 2, c1, middle};
    // The last band of the first half ends exactly at its extent.
    const Half second{first.extent, extent - first.extent, bands - first.bands, middle,
                      linear ? c2 : c1};

    QPainter painter(&image);
    fillHalf(painter, across, image.size(), first);
    fillHalf(painter, across, image.size(), second);
}
