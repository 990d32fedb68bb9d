#include "geometry/calibration.h"

#include <cmath>

namespace traxilo {

void initEchelle(Calibration& calibration) {
    calibration.p1 = QPointF(1, 1);
    calibration.p2 = QPointF(2, 2);
    calibration.sensitivity = 1;
    calibration.scaleDefined = false;
    calibration.scaleSegmentColour = QColor(0, 128, 0);
}

void resetForOpenedClip(Calibration& calibration, int pictureHeight) {
    calibration.Xo = 0;
    calibration.Yo = pictureHeight - 1;
    calibration.signX = 1;
    calibration.signY = 1;
    initEchelle(calibration);
}

std::optional<long double> sensitivityFrom(QPointF p1, QPointF p2, long double distance) {
    const long double dx = static_cast<long double>(p1.x()) - p2.x();
    const long double dy = static_cast<long double>(p1.y()) - p2.y();
    const long double squared = dx * dx + dy * dy;
    if (squared == 0 || !std::isfinite(squared))
        return std::nullopt;
    // |d| / |p1 p2| is the same value as sqrt(d^2 / |p1 p2|^2) but cannot
    // overflow: a typed 1E3000 must not turn every length into infinity.
    const long double sensitivity = std::fabs(distance) / std::sqrt(squared);
    // Below the smallest normal long double a scale has lost its digits, and
    // at 0 every length would be 0 and the session could not be read back.
    if (!std::isnormal(sensitivity))
        return std::nullopt;
    return sensitivity;
}

} // namespace traxilo
