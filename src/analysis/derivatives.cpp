#include "analysis/derivatives.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>

namespace traxilo {

std::vector<std::optional<Derivative>>
fivePointDerivatives(const std::vector<double>& times,
                     const std::vector<std::optional<double>>& values) {
    const int n = int(std::min(times.size(), values.size()));
    std::vector<std::optional<Derivative>> result(values.size());
    for (int i = 2; i + 2 < n; ++i) {
        bool complete = true;
        for (int k = i - 2; k <= i + 2 && complete; ++k)
            complete = values[k].has_value() && std::isfinite(*values[k]) &&
                       std::isfinite(times[k]) && (k == i - 2 || times[k] > times[k - 1]);
        if (!complete)
            continue;
        // Times relative to the frame and in units of the mean step keep the
        // 3 x 3 normal equations well conditioned at any clock value.
        const double h = (times[i + 2] - times[i - 2]) / 4;
        Eigen::Matrix3d normal = Eigen::Matrix3d::Zero();
        Eigen::Vector3d rhs = Eigen::Vector3d::Zero();
        for (int k = i - 2; k <= i + 2; ++k) {
            const double u = (times[k] - times[i]) / h;
            const Eigen::Vector3d basis(1, u, u * u);
            normal += basis * basis.transpose();
            rhs += basis * *values[k];
        }
        const Eigen::Vector3d c = normal.ldlt().solve(rhs);
        if (!c.allFinite())
            continue;
        result[i] = Derivative{c[1] / h, 2 * c[2] / (h * h)};
    }
    return result;
}

} // namespace traxilo
