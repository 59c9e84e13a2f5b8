#include "controls/bevel_frame.h"

#include <QPainter>

QRect drawBevelFrame(QPainter& painter, const QRect& rect, const QColor& topLeft,
                     const QColor& bottomRight, int width) {
    int left = rect.left();
    int top = rect.top();
    int right = rect.left() + rect.width();
    int bottom = rect.top() + rect.height();
    for (int pass = 0; pass < width && right - left > 0 && bottom - top > 0; ++pass) {
        painter.fillRect(QRect(left, top, 1, bottom - top - 1), topLeft);
        painter.fillRect(QRect(left, top, right - left - 1, 1), topLeft);
        painter.fillRect(QRect(right - 1, top, 1, bottom - top), bottomRight);
        painter.fillRect(QRect(left, bottom - 1, right - left, 1), bottomRight);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}
