#pragma once

#include "analysis/physical_unit.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace traxilo {

// What a graph can show of a point: the time, its position, velocity and
// acceleration.
enum class Quantity { T, X, Y, Vx, Vy, V, Ax, Ay };
inline constexpr int kQuantityCount = 8;

// "t", "x", "vx"...; with several points per frame the point's number
// follows, as in the table's headers ("x2", "vx2"); the time has none.
QString quantityName(Quantity quantity, int point, int pointCount);
PhysicalUnit quantityUnit(Quantity quantity, bool metres = true);
// "vx2 (m/s)", "t (s)": the axis titles and the choices of the graph.
QString quantityLabel(Quantity quantity, int point, int pointCount, bool metres = true);

// One value of a frame: its index in the clip, its time from the time origin.
struct Sample {
    int frame = 0;
    double t = 0;
    double value = 0;
};
using Series = std::vector<Sample>;

// A point's recorded positions in metres, one entry per frame of the clip,
// empty where the point was not recorded.
struct PointPositions {
    std::vector<std::optional<double>> x;
    std::vector<std::optional<double>> y;
};

// Every quantity of one point over the frames from the time origin on; a
// frame appears in a series only where that quantity has a value (T covers
// every such frame, recorded or not).
struct PointKinematics {
    std::array<Series, kQuantityCount> series;
    const Series& operator[](Quantity quantity) const { return series[int(quantity)]; }
};

// The graphs' data from the document's numbers: each frame's own time in
// seconds (any clock), the frame of the time origin, and each point's
// positions in metres. Frames before the origin are left out, and so are
// their positions from the velocity and acceleration windows.
std::vector<PointKinematics> computeKinematics(const std::vector<double>& frameTimes,
                                               int originFrame,
                                               const std::vector<PointPositions>& points);

// The frames where both series have a value, as (abscissa, ordinate) pairs.
struct PlotPoint {
    int frame = 0;
    double x = 0;
    double y = 0;
};
std::vector<PlotPoint> pairSeries(const Series& abscissa, const Series& ordinate);

} // namespace traxilo
