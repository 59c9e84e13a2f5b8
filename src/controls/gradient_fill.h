#pragma once

#include "views/colour.h"

class QImage;

enum tGradientType2 {
    gr2LeftToRight,
    gr2RightToLeft,
    gr2TopToBottom,
    gr2BottomToTop,
    gr2HorizCenterToBorder,
    gr2HorizBorderToCenter,
    gr2VertCenterToBorder,
    gr2VertBorderToCenter,
};

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Fills the whole image with bands of colour between gradientColor and color. Horizontal types
// change colour across the columns, vertical ones down the rows. Each half of the extent gets
// half of the bands: the linear types run from one colour to the mid colour and on to the other,
// the centre/border types out to the other colour and back. nbOfColors below 2 takes one band
// per pixel of the extent (2 .. 256).
void GradientFill(QImage& image, tGradientType2 type, TColor gradientColor, TColor color,
                  int nbOfColors);
