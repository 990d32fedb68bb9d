#pragma once

#include "analysis/kinematics.h"

#include <optional>
#include <vector>

namespace traxilo {

class MeasurementDocument;

// Every point's time, positions, velocities and accelerations as the graphs
// and the exports read them: each frame's own time with the capture rate,
// from the time origin on; positions in metres through the calibration;
// frames before the origin and frames without a position left out.
std::vector<PointKinematics> readKinematics(const MeasurementDocument& document);

// The length in picture pixels of the ruler the scale was set with, when the
// user set one.
std::optional<double> scaleRulerPixels(const MeasurementDocument& document);

} // namespace traxilo
