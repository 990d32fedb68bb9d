#include "fuzz_targets.h"

#include "clip/capture_rate.h"
#include "common/number_format.h"
#include "export/print_rules.h"
#include "geometry/display_size.h"
#include "geometry/scale_editing.h"

#include <QString>
#include <cfloat>
#include <cmath>

namespace traxilo::fuzz {

namespace {

// Shown with `decimals` decimals and typed back, a number comes back to
// within half a unit of its last digit (the rounding is judged on 18 digits,
// hence the slack).
bool readsBack(long double value, const QString& shown, long double unit) {
    const std::optional<long double> back = ParseNumber(shown);
    if (!back)
        return false;
    if (std::fabs(value) < LDBL_MIN) // subnormal: too few bits for a relative bound
        return std::fabs(*back - value) <= LDBL_MIN + unit;
    return std::fabs(*back - value) <= unit * 0.5L * (1 + 1e-12L) + std::fabs(value) * 1e-17L;
}

} // namespace

int numberParsing(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        setDecimalSeparator(separator);
        const QChar other = separator == u',' ? QChar(u'.') : QChar(u',');

        const DecimalTextFix fix = normaliseDecimalText(text);
        check(fix.text.size() == text.size(), "the separator fix keeps the length");
        check(!fix.text.contains(other), "the separator fix leaves only the locale's");
        check(fix.changed == text.contains(other), "the separator fix says when it changed");

        for (const QString& typed : {text, fix.text}) {
            if (const std::optional<long double> value = ParseNumber(typed)) {
                check(std::isfinite(*value), "a typed number is finite");
                // Lengths are shown with 0 to 4 decimals in scientific form.
                for (int decimals = 0; decimals <= 4; ++decimals) {
                    const long double magnitude =
                        *value == 0 ? 0
                                    : std::pow(10.0L, std::floor(std::log10(std::fabs(*value))));
                    check(readsBack(*value, FormatSci(decimals, *value),
                                    magnitude * std::pow(10.0L, -decimals)),
                          "a length shown reads back");
                }
                if (std::fabs(*value) < 1e12L)
                    check(readsBack(*value, FormatFixed(3, *value), 1e-3L),
                          "a time shown reads back");
            }
        }

        if (const std::optional<long double> rate = parseCaptureRate(text))
            check(*rate > 0 && *rate <= 100000, "a capture rate between 0 and 100 000");
        for (const int maxPercent : {10, 100, kMaxDisplayPercent}) {
            if (const std::optional<int> percent = parsePercent(text, maxPercent))
                check(*percent >= kMinDisplayPercent && *percent <= maxPercent,
                      "a display size within its range");
        }
        if (const std::optional<long double> scale = parseScale(text))
            check(std::isfinite(*scale) && *scale > 0, "a print scale above 0");

        // The calibration distance field.
        Calibration calibration;
        calibration.p1 = QPoint(10, 20);
        calibration.p2 = QPoint(110, 20);
        QString lastValid = QStringLiteral("1");
        const DistanceOutcome outcome = applyDistanceText(calibration, text, lastValid, 3);
        if (outcome.valid) {
            check(lastValid == text, "a valid distance is remembered");
            check(std::isfinite(calibration.sensitivity) && calibration.sensitivity != 0,
                  "a valid distance gives a usable sensitivity");
        }
        for (const bool invalid : {false, true}) {
            if (const std::optional<QString> exit = distanceExitText(text, invalid, lastValid, 3)) {
                const std::optional<long double> shown = ParseNumber(*exit);
                check(shown && *shown > 0, "the distance left in the field reads as positive");
            }
        }
    }
    return 0;
}

} // namespace traxilo::fuzz
