#pragma once

#include <optional>
#include <vector>

namespace traxilo {

struct Derivative {
    double velocity = 0;     // first derivative, value unit per second
    double acceleration = 0; // second derivative
};

// Velocity and acceleration at each frame from a quadratic least-squares fit
// over that frame and the two frames on either side, at each frame's own time
// (irregular frame times included). On evenly spaced times this is the usual
// five-point central formula, v = (-2y₋₂ - y₋₁ + y₁ + 2y₂) / 10h and
// a = (2y₋₂ - y₋₁ - 2y₀ - y₁ + 2y₂) / 7h². Empty where the five-frame window is
// incomplete: a missing value in it, the first or last two frames, or times
// that do not increase. The caller leaves out what must not count (frames
// before the time origin) by passing no value there.
std::vector<std::optional<Derivative>>
fivePointDerivatives(const std::vector<double>& times,
                     const std::vector<std::optional<double>>& values);

} // namespace traxilo
