#pragma once

#include <QRect>
#include <QSize>

enum TTextAlign {
    ttaTopLeft,
    ttaTop,
    ttaTopRight,
    ttaRight,
    ttaBottomRight,
    ttaBottom,
    ttaBottomLeft,
    ttaLeft,
    ttaCenter,
};

// Where a button of the given size puts its picture: on the side opposite the text, or in the
// middle. An empty picture still has a place, of zero size.
QRect pictureRect(QSize button, QSize picture, TTextAlign align, int spacing);

// Where the caption of the given size goes, beside the picture rectangle or in the middle.
QRect captionRect(QSize button, QSize caption, const QRect& picture, TTextAlign align, int spacing);
