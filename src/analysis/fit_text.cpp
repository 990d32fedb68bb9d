#include "analysis/fit_text.h"

#include "common/number_format.h"

#include <cmath>

namespace traxilo {

namespace {

const QString kPlusMinus = QStringLiteral(" ± ");

// Outside these the fixed form gets too long to read: scientific.
constexpr int kMaxFixedDecimals = 6;
constexpr double kMaxFixedValue = 1e6;

QString withUnit(const QString& text, const QString& unit) {
    return unit.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

} // namespace

int decimalsForUncertainty(double u) {
    int exponent = int(std::floor(std::log10(u)));
    // The leading digit as written: the mantissa rounded to two digits
    // (1,96 is a 2, 9,96 moves to the next power of ten).
    double mantissa = std::round(u / std::pow(10.0, exponent) * 10) / 10;
    if (mantissa >= 10) {
        ++exponent;
        mantissa /= 10;
    }
    const int significant = mantissa < 2 ? 2 : 1;
    return significant - 1 - exponent;
}

QString valueWithUncertainty(double value, double uncertainty) {
    if (!std::isfinite(value))
        return QStringLiteral("—");
    if (!(uncertainty > 0) || !std::isfinite(uncertainty))
        return FormatSci(3, value).trimmed();
    const int decimals = decimalsForUncertainty(uncertainty);
    if (decimals <= kMaxFixedDecimals && std::fabs(value) < kMaxFixedValue) {
        if (decimals >= 0)
            return FormatFixed(decimals, value) + kPlusMinus + FormatFixed(decimals, uncertainty);
        // Uncertainty of ten or more: round both to its first digits.
        const double unit = std::pow(10.0, -decimals);
        return FormatFixed(0, std::round(value / unit) * unit) + kPlusMinus +
               FormatFixed(0, std::round(uncertainty / unit) * unit);
    }
    // One exponent for both, that of the larger, written as FormatSci writes
    // exponents ("E-7", "E+12"); a value far below its uncertainty (zero)
    // shows as zeros.
    const double larger = std::max(std::fabs(value), uncertainty);
    int exponent = int(std::floor(std::log10(larger)));
    int mantissaDecimals = std::max(0, decimals + exponent);
    if (FormatFixed(mantissaDecimals, larger / std::pow(10.0, exponent)).startsWith(u'1') &&
        larger / std::pow(10.0, exponent) > 9) { // rounds up to ten
        ++exponent; // the last digit stays where the uncertainty puts it
        mantissaDecimals = std::max(0, decimals + exponent);
    }
    const double scale = std::pow(10.0, exponent);
    return QStringLiteral("(%1%2%3)E%4%5")
        .arg(FormatFixed(mantissaDecimals, value / scale), kPlusMinus,
             FormatFixed(mantissaDecimals, uncertainty / scale), exponent < 0 ? "-" : "+")
        .arg(std::abs(exponent));
}

QString measuredText(const QString& name, double value, double uncertainty, const QString& unit) {
    return withUnit(name + QStringLiteral(" = ") + valueWithUncertainty(value, uncertainty), unit);
}

QStringList fitResultLines(const FitResult& fit, PhysicalUnit x, PhysicalUnit y) {
    QStringList lines;
    if (!fit.ok())
        return lines;
    const QStringList names = fitParameterNames(fit.model);
    const QStringList units = fitParameterUnits(fit.model, x, y);
    for (int i = 0; i < names.size() && i < int(fit.parameters.size()); ++i)
        lines << measuredText(names[i], fit.parameters[i], fit.uncertainties[i], units[i]);
    lines << withUnit(QStringLiteral("Résidu quadratique moyen : ") +
                          FormatSci(2, fit.rmsResidual).trimmed(),
                      y.text());
    return lines;
}

std::optional<Measured> gravityFromParabola(const FitResult& fit, bool yUp) {
    if (!fit.ok() || fit.model != FitModel::Parabola || fit.parameters.size() != 3)
        return std::nullopt;
    const double twiceA = 2 * fit.parameters[0];
    return Measured{yUp ? -twiceA : twiceA, 2 * fit.uncertainties[0]};
}

std::optional<double> scaleRelativeUncertainty(double rulerPixels, double clickPixels) {
    if (!(rulerPixels > 0) || !std::isfinite(rulerPixels))
        return std::nullopt;
    return std::sqrt(2.0) * clickPixels / rulerPixels;
}

QString gravityText(const Measured& g, std::optional<double> scaleRelative) {
    const QString unit = QStringLiteral("m/s²");
    QString text = measuredText(QStringLiteral("g"), g.value, g.uncertainty, unit);
    if (scaleRelative) {
        const double u = std::fabs(g.value) * *scaleRelative;
        QString part =
            u > 0 ? FormatFixed(std::max(0, decimalsForUncertainty(u)), u) : FormatFixed(0, 0);
        text += QStringLiteral(" (étalonnage : ± %1 %2)").arg(part, unit);
    }
    return text;
}

} // namespace traxilo
