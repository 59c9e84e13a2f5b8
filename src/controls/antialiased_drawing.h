#pragma once

#include "views/colour.h"

class QImage;

// Anti-aliased shapes for the knob's face, written straight into the rows of a 24-bit image
// (QImage::Format_RGB888). Pixel (x, y) is measured at its integer coordinates. Each shape
// touches only its bounding square, clipped to the image. Non-finite geometry is an internal
// fault: it draws nothing and is reported on stderr once per run.

// A filled disk of the given radius whose edge fades over a band `edge` wide.
void DrawAntialiasedDisk(QImage& image, float edge, float radius, float centreY, float centreX,
                         TColor colour);

// A ring `width` wide centred on the radius, its edges softened over min(width, edge).
void DrawAntialiasedCircle(QImage& image, float edge, float width, float radius, float centreY,
                           float centreX, TColor colour);

// A ring like DrawAntialiasedCircle whose colour turns with the direction from the centre: the
// first colour on the arc from angle1 to angle2 (degrees, 0 = right, 90 = up), the second on the
// opposite arc, blending linearly on the two arcs between. Draws nothing unless the lower angle
// is at most 179 and the arc is shorter than 180 degrees; equal angles ramp once round the circle.
void DrawGradientCircle(QImage& image, TColor first, int angle1, int angle2, TColor second,
                        float edge, float width, float radius, float centreY, float centreX);

// The text written on stderr, once, when a knob cannot draw.
inline constexpr const char* KnobDrawingErrorText = "Error occured at internal code of TKnob";
