#include "controls/wallpaper.h"

#include "controls/bevel_frame.h"
#include "controls/parent_image.h"
#include "controls/qt_colour.h"

#include <QPaintEvent>
#include <QPainter>

TWallpaper::TWallpaper(QWidget* parent)
    : QWidget(parent), color_(fromQColor(palette().color(QPalette::Button))) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

template <class T> void TWallpaper::setVisual(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    ParentBackground::BackgroundChanged(*this);
    update();
}

void TWallpaper::SetWallpaper(const QImage& picture) {
    // Kept in the screen's format, so that each tile is a plain copy.
    wallpaper_ = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    ParentBackground::BackgroundChanged(*this);
    update();
}

void TWallpaper::SetBevelOuter(TBevelCut cut) {
    setVisual(bevelOuter_, cut);
}

void TWallpaper::SetBevelInner(TBevelCut cut) {
    setVisual(bevelInner_, cut);
}

void TWallpaper::SetBevelWidth(int width) {
    setVisual(bevelWidth_, std::max(width, 0));
}

void TWallpaper::SetBorderWidth(int width) {
    setVisual(borderWidth_, std::max(width, 0));
}

void TWallpaper::SetColor(TColor colour) {
    setVisual(color_, colour);
}

QRect TWallpaper::InnerRect() const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TWallpaper::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor colour = QColor(color_);
    const auto bevel = [&](const QRect& area, TBevelCut cut) {
        if (cut == bvNone)
            return area;
        const bool raised = cut == bvRaised;
        return drawBevelFrame(painter, area, raised ? light : dark, raised ? dark : light,
                              bevelWidth_);
    };
    QRect area = bevel(rect(), bevelOuter_);
    area = drawBevelFrame(painter, area, colour, colour, borderWidth_);
    area = bevel(area, bevelInner_);
    painter.fillRect(area, colour);

    const int pw = wallpaper_.width();
    const int ph = wallpaper_.height();
    // Only the tiles that meet the exposed part are drawn: a transparent knob repaints a small
    // region of the page many times, and every tile drawn costs a full copy.
    const QRegion exposed = event->region() & area;
    if (pw <= 0 || ph <= 0 || exposed.isEmpty())
        return;
    painter.save();
    painter.setClipRect(area);
    const QRect bounds = exposed.boundingRect();
    const int firstColumn = (bounds.left() - area.left()) / pw;
    const int lastColumn = (bounds.right() - area.left()) / pw;
    const int firstRow = (bounds.top() - area.top()) / ph;
    const int lastRow = (bounds.bottom() - area.top()) / ph;
    for (int j = firstRow; j <= lastRow; ++j)
        for (int i = firstColumn; i <= lastColumn; ++i) {
            const QRect tile(area.left() + i * pw, area.top() + j * ph, pw, ph);
            if (exposed.intersects(tile))
                painter.drawImage(tile.topLeft(), wallpaper_);
        }
    painter.restore();
}
