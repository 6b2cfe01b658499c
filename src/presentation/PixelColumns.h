#pragma once
// A curve of thousands of samples drawn into a few thousand device pixels: only the points
// that shape what is drawn are kept, as the screen chart does.

#include <QPolygonF>

// Of a polyline in device coordinates, per run of points in the same pixel column (the
// integer part of x): the first, the lowest, the highest and the last point, in their order.
// Drawn as a line it covers the same pixels as the whole polyline.
QPolygonF KeepPixelColumnExtremes(const QPolygonF& line);

// The polyline without the inner points of its straight stretches: every point dropped lies
// within `tolerance` of the line drawn in its place. First and last points stay.
QPolygonF DropStraightStretches(const QPolygonF& line, double tolerance);
