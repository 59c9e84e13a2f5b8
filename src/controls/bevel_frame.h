#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// Draws `width` nested one-pixel frames just inside `rect`, each with its top and left edges in
// `topLeft` and its bottom and right edges in `bottomRight` (the corners top-right and
// bottom-left belong to the bottom-right colour), and returns the area left inside them.
QRect drawBevelFrame(QPainter& painter, const QRect& rect, const QColor& topLeft,
                     const QColor& bottomRight, int width);
