#include "analysis/kinematics.h"

#include "analysis/derivatives.h"

#include <algorithm>
#include <cmath>

namespace traxilo {

QString quantityName(Quantity quantity, int point, int pointCount) {
    static const char* const names[kQuantityCount] = {"t", "x", "y", "vx", "vy", "v", "ax", "ay"};
    QString name = QString::fromLatin1(names[int(quantity)]);
    if (quantity != Quantity::T && pointCount > 1)
        name += QString::number(point + 1);
    return name;
}

PhysicalUnit quantityUnit(Quantity quantity, bool metres) {
    PhysicalUnit unit;
    switch (quantity) {
    case Quantity::T:
        unit = PhysicalUnit::seconds();
        break;
    case Quantity::X:
    case Quantity::Y:
        unit = PhysicalUnit::metres();
        break;
    case Quantity::Vx:
    case Quantity::Vy:
    case Quantity::V:
        unit = {1, -1};
        break;
    case Quantity::Ax:
    case Quantity::Ay:
        unit = {1, -2};
        break;
    }
    if (!metres)
        unit.length = QStringLiteral("px");
    return unit;
}

QString quantityLabel(Quantity quantity, int point, int pointCount, bool metres) {
    return QStringLiteral("%1 (%2)").arg(quantityName(quantity, point, pointCount),
                                         quantityUnit(quantity, metres).text());
}

std::vector<PointKinematics> computeKinematics(const std::vector<double>& frameTimes,
                                               int originFrame,
                                               const std::vector<PointPositions>& points) {
    const int frames = int(frameTimes.size());
    const int first = std::max(0, originFrame);
    std::vector<PointKinematics> result(points.size());
    if (first >= frames)
        return result;
    const double t0 = frameTimes[first];

    auto valid = [&](const std::vector<std::optional<double>>& values) {
        std::vector<std::optional<double>> kept(frames);
        for (int i = first; i < std::min(frames, int(values.size())); ++i)
            if (values[i] && std::isfinite(*values[i]))
                kept[i] = values[i];
        return kept;
    };

    for (size_t p = 0; p < points.size(); ++p) {
        const auto x = valid(points[p].x);
        const auto y = valid(points[p].y);
        const auto dx = fivePointDerivatives(frameTimes, x);
        const auto dy = fivePointDerivatives(frameTimes, y);
        auto& s = result[p].series;
        auto add = [&](Quantity q, int frame, double value) {
            s[int(q)].push_back({frame, frameTimes[frame] - t0, value});
        };
        for (int i = first; i < frames; ++i) {
            add(Quantity::T, i, frameTimes[i] - t0);
            if (x[i])
                add(Quantity::X, i, *x[i]);
            if (y[i])
                add(Quantity::Y, i, *y[i]);
            if (dx[i])
                add(Quantity::Vx, i, dx[i]->velocity);
            if (dy[i])
                add(Quantity::Vy, i, dy[i]->velocity);
            if (dx[i] && dy[i])
                add(Quantity::V, i, std::hypot(dx[i]->velocity, dy[i]->velocity));
            if (dx[i])
                add(Quantity::Ax, i, dx[i]->acceleration);
            if (dy[i])
                add(Quantity::Ay, i, dy[i]->acceleration);
        }
    }
    return result;
}

std::vector<PlotPoint> pairSeries(const Series& abscissa, const Series& ordinate) {
    // Both come in frame order, so one merge pass pairs them.
    std::vector<PlotPoint> points;
    points.reserve(std::min(abscissa.size(), ordinate.size()));
    size_t i = 0;
    size_t j = 0;
    while (i < abscissa.size() && j < ordinate.size()) {
        if (abscissa[i].frame < ordinate[j].frame) {
            ++i;
        } else if (ordinate[j].frame < abscissa[i].frame) {
            ++j;
        } else {
            points.push_back({abscissa[i].frame, abscissa[i].value, ordinate[j].value});
            ++i;
            ++j;
        }
    }
    return points;
}

} // namespace traxilo
