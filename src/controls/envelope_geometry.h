#pragma once

#include <QPoint>
#include <array>

// An envelope's eight values, in the order rate 1, level 1, rate 2, level 2, rate 3, level 3,
// rate 4, level 4; meant to lie in 0..max.
using EnvelopeValues = std::array<int, 8>;
// P0..P5: the start at level 4, the ends of the three rate segments, the end of the level-3
// stretch and the end of the release at the right edge.
using EnvelopePoints = std::array<QPoint, 6>;

// The points of the envelope drawn in a width x height area. A higher rate gives a shorter
// segment; each of the first three takes at most a quarter of the width. max must be at least 1.
EnvelopePoints envelopePoints(const EnvelopeValues& values, int width, int height, int max);

// The first of P0..P5 whose square of half-side max(markerSize, 5), edges included, holds the
// point; -1 when none does.
int markerAt(const EnvelopePoints& points, QPoint point, int markerSize);

// Moves the marker towards `to` by the distance from its drawn position, changing the rate and
// the level behind it; each changed value is clamped to 0..max, the rate first. Does nothing
// when the area is too small to edit (width below 5, height below 3) or max is below 1.
void dragMarker(EnvelopeValues& values, const EnvelopePoints& points, int marker, QPoint to,
                int width, int height, int max);
