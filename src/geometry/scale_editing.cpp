#include "geometry/scale_editing.h"

#include "common/number_format.h"
#include "geometry/pixel_conversion.h"

#include <cmath>

namespace traxilo {

DistanceTextFix normaliseDistanceText(const QString& text) {
    DistanceTextFix fix{text, -1, false};
    const QChar separator = decimalSeparator();
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0 || separator == QLatin1Char('.'))
        return fix;
    fix.text[dot] = separator;
    fix.caret = dot + 1;
    fix.changed = true;
    return fix;
}

DistanceOutcome applyDistanceText(Calibration& calibration, const QString& text,
                                  QString& lastValidDistance, int xyDigits) {
    const std::optional<long double> d = ParseNumber(text);
    if (!d || !std::isfinite(*d))
        return {false, kSensitivityErrorText, kDistanceInvalidColours};
    lastValidDistance = text;
    // The scale points are never identical (clicks are checked); keep the old
    // sensitivity rather than divide by zero should they ever be.
    if (const auto s = sensitivityFrom(calibration.p1, calibration.p2, *d))
        calibration.sensitivity = *s;
    calibration.scaleChanged = true;
    return {true, affichSensibilites(calibration.sensitivity, xyDigits), kDistanceValidColours};
}

std::optional<QString> distanceExitText(const QString& fieldText, bool fieldInvalid,
                                        const QString& lastValidDistance, int xyDigits) {
    const std::optional<long double> d = ParseNumber(fieldInvalid ? lastValidDistance : fieldText);
    if (!d || !std::isfinite(*d))
        return std::nullopt;
    return FormatSci(xyDigits - 1, std::fabs(*d));
}

ScalePointOutcome scalePointClick(Calibration& calibration, bool firstPoint, QPoint position,
                                  const QString& distanceText, int xyDigits) {
    ScalePointOutcome outcome;
    const QPoint old1 = calibration.p1;
    const QPoint old2 = calibration.p2;
    (firstPoint ? calibration.p1 : calibration.p2) = position;
    if (calibration.p1 == calibration.p2) {
        outcome.identicalPoints = true;
        calibration.p1 = old1;
        calibration.p2 = old2;
    }
    const std::optional<long double> d = ParseNumber(distanceText);
    if (!d || !std::isfinite(*d)) {
        outcome.error = kNotAFloatMessage.arg(distanceText);
        return outcome;
    }
    if (const auto s = sensitivityFrom(calibration.p1, calibration.p2, *d))
        calibration.sensitivity = *s;
    outcome.recompute = true;
    outcome.sensitivityText = affichSensibilites(calibration.sensitivity, xyDigits);
    return outcome;
}

std::optional<int> scalePointCursor(int currentCursor, bool firstPoint) {
    const int colour = currentCursor / 100;
    if (colour != 1 && colour != 2)
        return std::nullopt;
    return colour * 100 + (firstPoint ? 41 : 42);
}

} // namespace traxilo
