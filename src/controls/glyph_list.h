#pragma once

#include <QColor>
#include <QImage>
#include <QList>

// The pictures a button draws, cut from a strip of up to four pictures side by side. Each
// picture's bottom-left colour is transparent.
struct GlyphList {
    QList<QImage> pictures; // ARGB32, one per glyph
    QImage grey;            // the first picture in grey levels
    QImage disabled;        // the first picture's shape, embossed
};

// The glyph count a strip implies: width / height when its width is a whole multiple of its
// height (1 when that is above 4); otherwise `current` stays.
int glyphCountOf(const QImage& strip, int current);

// Cuts the strip into `count` pictures and makes the grey and the disabled copy of the first.
// The embossed shape is drawn in `highlight` one pixel down and right, then in `shadow` in
// place; the rest of it is transparent.
GlyphList AddGlyphs(const QImage& strip, int count, const QColor& highlight, const QColor& shadow);
