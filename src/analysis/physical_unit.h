#pragma once

#include <QString>

namespace traxilo {

// An SI unit built from metres and seconds, enough for positions, times,
// velocities, accelerations and the parameters of a fit between them.
struct PhysicalUnit {
    int metre = 0;
    int second = 0;

    static PhysicalUnit metres() { return {1, 0}; }
    static PhysicalUnit seconds() { return {0, 1}; }

    PhysicalUnit operator*(PhysicalUnit other) const {
        return {metre + other.metre, second + other.second};
    }
    PhysicalUnit operator/(PhysicalUnit other) const {
        return {metre - other.metre, second - other.second};
    }
    PhysicalUnit inverse() const { return {-metre, -second}; }
    bool operator==(const PhysicalUnit&) const = default;

    // "m", "m/s²", "s⁻¹", "s²/m", "" for a pure number. `numerator` is put
    // in front of the other factors ("rad" gives "rad/s").
    QString text(const QString& numerator = {}) const;
};

} // namespace traxilo
