#pragma once

#include <QString>

namespace traxilo {

// An SI unit built from metres and seconds, enough for positions, times,
// velocities, accelerations and the parameters of a fit between them. Before
// the scale is set, lengths are picture pixels: `length` names them.
struct PhysicalUnit {
    int metre = 0;
    int second = 0;
    QString length = QStringLiteral("m");

    static PhysicalUnit metres() { return {1, 0}; }
    static PhysicalUnit seconds() { return {0, 1}; }

    PhysicalUnit operator*(const PhysicalUnit& other) const {
        return {metre + other.metre, second + other.second, lengthWith(other)};
    }
    PhysicalUnit operator/(const PhysicalUnit& other) const {
        return {metre - other.metre, second - other.second, lengthWith(other)};
    }
    PhysicalUnit inverse() const { return {-metre, -second, length}; }
    bool operator==(const PhysicalUnit&) const = default;

    // "m", "m/s²", "s⁻¹", "s²/m", "" for a pure number. `numerator` is put
    // in front of the other factors ("rad" gives "rad/s").
    QString text(const QString& numerator = {}) const;

private:
    // Pixels win: a product with a pure number or a time keeps them.
    QString lengthWith(const PhysicalUnit& other) const {
        return length == QLatin1String("m") ? other.length : length;
    }
};

} // namespace traxilo
