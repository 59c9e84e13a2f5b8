#include "controls/button_layout.h"

QRect pictureRect(QSize button, QSize picture, TTextAlign align, int spacing) {
    const int w = button.width();
    const int h = button.height();
    const int pw = picture.width();
    const int ph = picture.height();
    int left = (w - pw) / 2;
    int top = (h - ph) / 2;
    switch (align) {
    case ttaTopLeft:
    case ttaTop:
    case ttaTopRight:
        top = h - ph - spacing;
        break;
    case ttaBottomRight:
    case ttaBottom:
    case ttaBottomLeft:
        top = spacing;
        break;
    case ttaRight:
        left = spacing;
        break;
    case ttaLeft:
        left = w - pw - spacing;
        break;
    case ttaCenter:
        break;
    }
    return QRect(QPoint(left, top), picture);
}

QRect captionRect(QSize button, QSize caption, const QRect& picture, TTextAlign align,
                  int spacing) {
    const int w = button.width();
    const int h = button.height();
    const int tw = caption.width();
    const int th = caption.height();
    const int pictureBottom = picture.top() + picture.height();
    const int above = picture.top() - th - spacing;
    const int below = pictureBottom + spacing;
    const int leftEdge = spacing;
    const int rightEdge = w - tw - spacing;
    const int middleX = w / 2 - tw / 2;
    const int middleY = h / 2 - th / 2;
    QPoint at;
    switch (align) {
    case ttaTopLeft:
        at = {leftEdge, above};
        break;
    case ttaTop:
        at = {middleX, above};
        break;
    case ttaTopRight:
        at = {rightEdge, above};
        break;
    case ttaRight:
        at = {rightEdge, middleY};
        break;
    case ttaBottomRight:
        at = {rightEdge, below};
        break;
    case ttaBottom:
        at = {middleX, below};
        break;
    case ttaBottomLeft:
        at = {leftEdge, below};
        break;
    case ttaLeft:
        at = {leftEdge, middleY};
        break;
    case ttaCenter:
        at = {middleX, middleY};
        break;
    }
    return QRect(at, caption);
}
