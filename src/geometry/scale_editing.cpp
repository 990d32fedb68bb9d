#include "geometry/scale_editing.h"

#include "common/number_format.h"
#include "geometry/pixel_conversion.h"

#include <algorithm>
#include <cmath>

namespace traxilo {

namespace {

// A distance of 0 would make every length 0: it is refused like a text
// that is not a number.
std::optional<long double> parseDistance(const QString& text) {
    const std::optional<long double> d = ParseNumber(text);
    if (!d || !std::isfinite(*d) || *d == 0)
        return std::nullopt;
    return d;
}

} // namespace

DistanceOutcome applyDistanceText(Calibration& calibration, const QString& text,
                                  QString& lastValidDistance, int xyDigits) {
    const std::optional<long double> d = parseDistance(text);
    if (!d)
        return {false, kSensitivityErrorText, kDistanceInvalidColours};
    const std::optional<long double> s = sensitivityFrom(calibration.p1, calibration.p2, *d);
    // A distance too small to give a scale (1E-4950) is refused like a text
    // that is not a number.
    if (!s && calibration.p1 != calibration.p2)
        return {false, kSensitivityErrorText, kDistanceInvalidColours};
    lastValidDistance = text;
    // The scale points are never identical (clicks are checked); keep the old
    // sensitivity rather than divide by zero should they ever be.
    if (s)
        calibration.sensitivity = *s;
    calibration.scaleDefined = true;
    return {true, affichSensibilites(calibration.sensitivity, xyDigits), kDistanceValidColours};
}

std::optional<QString> distanceExitText(const QString& fieldText, bool fieldInvalid,
                                        const QString& lastValidDistance, int xyDigits) {
    const std::optional<long double> d =
        parseDistance(fieldInvalid ? lastValidDistance : fieldText);
    if (!d)
        return std::nullopt;
    return FormatSci(xyDigits - 1, std::fabs(*d));
}

std::optional<QString> distanceAtDigits(const QString& distanceText, int digits) {
    const std::optional<long double> d = ParseNumber(distanceText);
    if (!d)
        return std::nullopt;
    const QString text = FormatSci(std::clamp(digits, 1, 5) - 1, *d);
    const std::optional<long double> shown = ParseNumber(text);
    if (!shown || std::fabs(*shown - *d) > 1e-12L * std::fabs(*d))
        return std::nullopt;
    return text;
}

ScalePointOutcome scalePointClick(Calibration& calibration, bool firstPoint, QPointF position,
                                  const QString& distanceText, int xyDigits) {
    ScalePointOutcome outcome;
    const QPointF old1 = calibration.p1;
    const QPointF old2 = calibration.p2;
    (firstPoint ? calibration.p1 : calibration.p2) = position;
    if (calibration.p1 == calibration.p2) {
        outcome.identicalPoints = true;
        calibration.p1 = old1;
        calibration.p2 = old2;
    }
    const std::optional<long double> d = parseDistance(distanceText);
    if (!d) {
        outcome.error = kNotAFloatMessage.arg(distanceText);
        return outcome;
    }
    if (const auto s = sensitivityFrom(calibration.p1, calibration.p2, *d))
        calibration.sensitivity = *s;
    if (!outcome.identicalPoints)
        calibration.scaleDefined = true;
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
