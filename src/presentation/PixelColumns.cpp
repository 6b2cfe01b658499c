#include "presentation/PixelColumns.h"

#include <algorithm>
#include <cmath>
#include <numbers>

QPolygonF KeepPixelColumnExtremes(const QPolygonF& line)
{
    QPolygonF kept;
    const qsizetype n = line.size();
    qsizetype first = 0;
    while (first < n) {
        const double column = std::floor(line[first].x());
        qsizetype low = first, high = first, end = first + 1;
        for (; end < n && std::floor(line[end].x()) == column; ++end) {
            if (line[end].y() < line[low].y())
                low = end;
            if (line[end].y() > line[high].y())
                high = end;
        }
        qsizetype run[4] = {first, std::min(low, high), std::max(low, high), end - 1};
        for (int i = 0; i < 4; ++i)
            if (i == 0 || run[i] != run[i - 1])
                kept << line[run[i]];
        first = end;
    }
    return kept;
}

QPolygonF DropStraightStretches(const QPolygonF& line, double tolerance)
{
    if (line.size() < 3)
        return line;
    // From the last point kept, the directions in which a line passes within the tolerance
    // of every point since narrow to a sleeve; a point outside it ends the stretch before it.
    QPolygonF kept{line.first()};
    QPointF anchor = line.first();
    double low = -std::numbers::pi, high = std::numbers::pi, farthest = 0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        QPointF step = line[i] - anchor;
        double distance = std::hypot(step.x(), step.y());
        double direction = std::atan2(step.y(), step.x());
        if (direction < low || direction > high || distance < farthest) {
            anchor = line[i - 1];
            kept << anchor;
            step = line[i] - anchor;
            distance = std::hypot(step.x(), step.y());
            direction = std::atan2(step.y(), step.x());
            low = -std::numbers::pi;
            high = std::numbers::pi;
            farthest = 0;
        }
        farthest = std::max(farthest, distance);
        if (distance <= tolerance)
            continue;
        const double spread = std::asin(tolerance / distance);
        low = std::max(low, direction - spread);
        high = std::min(high, direction + spread);
    }
    kept << line.last();
    return kept;
}
