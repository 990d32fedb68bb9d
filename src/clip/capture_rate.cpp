#include "clip/capture_rate.h"

#include "common/number_format.h"

#include <cmath>

namespace traxilo {

namespace {
constexpr long double kMaxCaptureRate = 100000;
}

QString captureRateText(long double imagesPerSecond) {
    QString text = FormatFixed(3, imagesPerSecond);
    if (text.contains(decimalSeparator())) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(decimalSeparator()))
            text.chop(1);
    }
    return text;
}

std::optional<long double> parseCaptureRate(const QString& text) {
    const std::optional<long double> rate = ParseNumber(normaliseDecimalText(text).text);
    if (!rate || !std::isfinite(*rate) || *rate <= 0 || *rate > kMaxCaptureRate)
        return std::nullopt;
    return rate;
}

long double captureTimeScale(long double framePeriod, std::optional<long double> captureRate) {
    if (!captureRate || !(framePeriod > 0) || !(*captureRate > 0))
        return 1;
    return 1 / (framePeriod * *captureRate);
}

bool isFileRate(long double framePeriod, long double rate) {
    if (!(framePeriod > 0))
        return true;
    return captureRateText(rate) == captureRateText(1 / framePeriod);
}

} // namespace traxilo
