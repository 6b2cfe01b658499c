#include "presentation/PixelColumns.h"

#include <algorithm>
#include <cmath>

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
