#include "pointing/point_search.h"

#include "pointing/style_table.h"

#include <cstdlib>

namespace traxilo {

std::vector<PointMatch> pointsAt(const MeasureTables& tables, QPoint pixel, int markSize) {
    std::vector<PointMatch> found;
    const TextGrid& pixels = tables.PixelTable;
    const int points = tables.pointsPerFrame();
    std::vector<bool> shown(size_t(points) + 1, false);
    for (int c = 1; c <= points; ++c) {
        const MarkStyle style = styleOf(tables.StyleTable, c);
        shown[size_t(c)] = style.drawn && style.shape >= 0 && style.shape <= 2;
    }
    for (int r = 1; r < pixels.rowCount(); ++r) {
        for (int c = 1; c <= points; ++c) {
            if (!shown[size_t(c)]) {
                continue;
            }
            bool okX = false;
            bool okY = false;
            const int x = pixels.cell(2 * c - 1, r).toInt(&okX);
            const int y = pixels.cell(2 * c, r).toInt(&okY);
            if (okX && okY && std::abs(x - pixel.x()) <= markSize &&
                std::abs(y - pixel.y()) <= markSize) {
                found.push_back({r, tables.MeasureTable.cell(0, r), c});
            }
        }
    }
    return found;
}

} // namespace traxilo
