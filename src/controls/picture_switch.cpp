#include "controls/picture_switch.h"

#include "controls/parent_image.h"

#include <QPainter>

Tmbgrafsw::Tmbgrafsw(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(30, 30);
}

void Tmbgrafsw::SetBitmap(const QImage& strip) {
    bitmap_ = strip;
    update();
}

void Tmbgrafsw::SetGlyph(int count) {
    if (count < 1 || count > 255 || count == glyph_)
        return;
    glyph_ = count;
    update();
}

void Tmbgrafsw::SetState(int state) {
    if (state == state_)
        return;
    state_ = (state < 0 || state >= glyph_) ? 0 : state;
    update();
}

void Tmbgrafsw::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    if (transparent)
        update();
}

int Tmbgrafsw::GetBitmapWidth() const {
    return bitmap_.width() / glyph_;
}

void Tmbgrafsw::Affiche(QImage& target) const {
    const int w = GetBitmapWidth();
    const int h = bitmap_.height();
    // A state changed through Glyph afterwards may lie outside the strip: glyph 0 then.
    const int shown = (state_ > 0 && state_ <= glyph_ - 1) ? state_ : 0;
    QImage glyph = bitmap_.copy(shown * w, 0, w, h).convertToFormat(QImage::Format_ARGB32);
    if (transparent_ && !glyph.isNull()) {
        const QRgb key = glyph.pixel(0, h - 1);
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<QRgb*>(glyph.scanLine(y));
            for (int x = 0; x < w; ++x)
                if (row[x] == key)
                    row[x] = qRgba(0, 0, 0, 0);
        }
    }
    QPainter(&target).drawImage(0, 0, glyph);
}

void Tmbgrafsw::paintEvent(QPaintEvent*) {
    QImage frame(size(), QImage::Format_RGB32);
    frame.fill(palette().color(backgroundRole()));
    if (transparent_)
        background_.PaintInto(*this, frame);
    if (!bitmap_.isNull())
        Affiche(frame);
    QPainter(this).drawImage(0, 0, frame);
}
