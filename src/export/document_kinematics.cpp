#include "export/document_kinematics.h"

#include "document/measurement_document.h"

#include <cmath>

namespace traxilo {

std::vector<PointKinematics> readKinematics(const MeasurementDocument& document) {
    const int frames = document.frameCount();
    std::vector<double> times(size_t(std::max(0, frames)));
    for (int f = 0; f < frames; ++f)
        times[size_t(f)] = double(document.frameTime(f));
    std::vector<PointPositions> points(size_t(document.pointsPerFrame()));
    for (int k = 1; k <= document.pointsPerFrame(); ++k) {
        PointPositions& p = points[size_t(k - 1)];
        p.x.resize(times.size());
        p.y.resize(times.size());
        for (int f = document.timeOrigin(); f < frames; ++f)
            if (const std::optional<FramePosition> m = document.metres(f, k)) {
                p.x[size_t(f)] = double(m->x);
                p.y[size_t(f)] = double(m->y);
            }
    }
    return computeKinematics(times, document.timeOrigin(), points);
}

std::optional<double> scaleRulerPixels(const MeasurementDocument& document) {
    const Calibration& c = document.calibration();
    if (!c.scaleDefined)
        return std::nullopt;
    const double length = std::hypot(c.p2.x() - c.p1.x(), c.p2.y() - c.p1.y());
    if (!(length > 0))
        return std::nullopt;
    return length;
}

} // namespace traxilo
