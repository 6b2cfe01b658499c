#pragma once
// A curve of thousands of samples drawn into a few thousand device pixels: per pixel column
// only the points that shape what is drawn there are kept, as the screen chart does.

#include <QPolygonF>

// Of a polyline in device coordinates, per run of points in the same pixel column (the
// integer part of x): the first, the lowest, the highest and the last point, in their order.
// Drawn as a line it covers the same pixels as the whole polyline.
QPolygonF KeepPixelColumnExtremes(const QPolygonF& line);
