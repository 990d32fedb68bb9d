#include "pointing/point_search.h"

#include "geometry/display_size.h"

#include <cstdlib>

namespace traxilo {

std::vector<PointMatch> pointsAt(const std::vector<PointMark>& marks, const PointStyles& styles,
                                 QPoint pixel, int markSize, long double displayFactor) {
    std::vector<PointMatch> found;
    for (const PointMark& mark : marks) {
        const MarkStyle& style = styles.point(mark.point);
        if (!style.drawn || style.shape < 0 || style.shape > 2)
            continue;
        const QPoint shown = toDisplayPixel(mark.pixel, displayFactor);
        if (std::abs(shown.x() - pixel.x()) <= markSize &&
            std::abs(shown.y() - pixel.y()) <= markSize)
            found.push_back({mark.frame + 1, QString(), mark.point});
    }
    return found;
}

} // namespace traxilo
