#include "ui/decorated_panel.h"

#include <QPaintEvent>
#include <QPainter>

void DecoratedPanel::paintEvent(QPaintEvent* event) {
    TWallpaper::paintEvent(event);
    if (decoration_.size() != size()) {
        decoration_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        decoration_.fill(Qt::transparent);
        QPainter layer(&decoration_);
        paintDecoration(layer);
    }
    QPainter painter(this);
    for (const QRect& area : event->region())
        painter.drawImage(area, decoration_, area);
}
