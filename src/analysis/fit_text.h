#pragma once

#include "analysis/curve_fit.h"
#include "analysis/physical_unit.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace traxilo {

// Decimals a value is written with when its standard uncertainty is `u`: the
// uncertainty keeps one significant digit, two when that digit is 1
// (0,02 and 0,014). Negative for uncertainties of ten and more.
int decimalsForUncertainty(double u);

// "9,79 ± 0,02", the value's last digit at the uncertainty's, in the
// locale's decimal format. Scientific with a shared exponent for very small or
// very large numbers ("(1,23 ± 0,05)E-4"); without an uncertainty (zero), the
// value in FormatSci's form.
QString valueWithUncertainty(double value, double uncertainty);

// "g = 9,79 ± 0,02 m/s²"; the unit left out when empty.
QString measuredText(const QString& name, double value, double uncertainty, const QString& unit);

// One line per parameter ("a = -4,905 ± 0,003 m/s²"), then the RMS residual
// ("Résidu quadratique moyen : 1,23E-3 m"). Empty for a failed fit.
QStringList fitResultLines(const FitResult& fit, PhysicalUnit x, PhysicalUnit y);

struct Measured {
    double value = 0;
    double uncertainty = 0;
};

// g from a parabola of y against t: g = −2a when y points up, 2a when it
// points down, with the uncertainty of 2a. Empty for another model or a
// failed fit.
std::optional<Measured> gravityFromParabola(const FitResult& fit, bool yUp);

// Relative standard uncertainty of the scale set by two clicks on a ruler
// `rulerPixels` long, each click uncertain by `clickPixels` along the ruler:
// √2 · clickPixels / rulerPixels. Every length, and so g, carries it. Empty
// for a ruler of no length.
std::optional<double> scaleRelativeUncertainty(double rulerPixels, double clickPixels = 0.5);

// "g = 9,79 ± 0,02 m/s² (étalonnage : ± 0,01 m/s²)"; the part in brackets only
// with a relative uncertainty of the scale.
QString gravityText(const Measured& g, std::optional<double> scaleRelative);

} // namespace traxilo
