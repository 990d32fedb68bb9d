#pragma once

#include <QString>
#include <optional>

namespace traxilo {

// A slow-motion clip is filmed at a higher rate than it is played at: every
// time is then the time in the file multiplied by file rate / capture rate.

// Said when the capture-rate field is left with a text that is no rate.
inline const QString kCaptureRateWarning =
    QStringLiteral("Entrez un nombre !\r\rla cadence de prise de vue est un nombre d'images "
                   "par seconde,\rplus grand que 0 et au plus 100 000.\r\rex : 240 ou 29,97");

// The rate shown in the capture-rate field: up to three decimals, trailing
// zeros dropped, the locale's separator ("240", "29,97").
QString captureRateText(long double imagesPerSecond);

// A typed capture rate, "," or "." as the separator: above 0 and at most
// 100 000 images per second. Empty for anything else (0, negative, letters,
// absurdly large).
std::optional<long double> parseCaptureRate(const QString& text);

// What every time is multiplied by: exactly 1 when no capture rate is set
// (the clip was filmed at the rate it plays at).
long double captureTimeScale(long double framePeriod, std::optional<long double> captureRate);

// Whether `rate` is the file's own rate (1 / framePeriod), to the precision
// the field shows.
bool isFileRate(long double framePeriod, long double rate);

} // namespace traxilo
