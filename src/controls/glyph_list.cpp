#include "controls/glyph_list.h"

namespace {
constexpr QRgb Clear = 0;

QImage keyedOut(const QImage& picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if (row[x] == key)
                row[x] = Clear;
    }
    return keyed;
}

// Grey levels weighted 11 : 59 : 30 for red, green and blue, the weights the buttons have
// always used.
QImage greyOf(const QImage& keyed) {
    QImage grey = keyed;
    for (int y = 0; y < grey.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            const int g = (11 * qRed(row[x]) + 59 * qGreen(row[x]) + 30 * qBlue(row[x])) / 100;
            row[x] = qRgb(g, g, g);
        }
    }
    return grey;
}

// Everything but white and the top-left (background) colour is the shape.
QImage embossed(const QImage& picture, const QColor& highlight, const QColor& shadow) {
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb background = source.pixel(0, 0);
    const QRgb white = qRgb(255, 255, 255);
    QImage result(source.size(), QImage::Format_ARGB32);
    result.fill(Clear);
    const auto inShape = [&](int x, int y) {
        const QRgb p = source.pixel(x, y);
        return p != white && p != background;
    };
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (inShape(x, y) && result.rect().contains(x + 1, y + 1))
                result.setPixel(x + 1, y + 1, highlight.rgb());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (inShape(x, y))
                result.setPixel(x, y, shadow.rgb());
    return result;
}
} // namespace

int glyphCountOf(const QImage& strip, int current) {
    if (strip.isNull() || strip.width() % strip.height() != 0)
        return current;
    const int count = strip.width() / strip.height();
    return count > 4 ? 1 : count;
}

GlyphList AddGlyphs(const QImage& strip, int count, const QColor& highlight, const QColor& shadow) {
    GlyphList list;
    if (strip.isNull())
        return list;
    count = std::max(count, 1);
    const int width = strip.width() / count > 0 ? strip.width() / count : strip.width();
    for (int k = 0; k < count && (k + 1) * width <= strip.width(); ++k)
        list.pictures.append(keyedOut(strip.copy(k * width, 0, width, strip.height())));
    list.grey = greyOf(list.pictures.first());
    list.disabled = embossed(strip.copy(0, 0, width, strip.height()), highlight, shadow);
    return list;
}
