#include "clip/frame_timing.h"

#include "common/number_format.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace traxilo {

FrameTiming analyseFrameTiming(const std::vector<int64_t>& stamps, int64_t durationTicks,
                               int64_t tickNum, int64_t tickDen) {
    FrameTiming timing;
    const int n = int(stamps.size());
    if (n == 0 || tickNum <= 0 || tickDen <= 0)
        return timing;
    const long double tick = static_cast<long double>(tickNum) / tickDen;
    timing.times.reserve(n);
    for (int f = 0; f < n; ++f)
        timing.times.push_back(double((stamps[f] - stamps[0]) * tick));
    if (n < 2)
        return timing;

    std::vector<int64_t> steps(n - 1);
    for (int f = 1; f < n; ++f)
        steps[f - 1] = stamps[f] - stamps[f - 1];
    // The unit the timestamps were counted in: a muxer may have rescaled
    // milliseconds to a finer tick, leaving them all multiples of 16.
    int64_t unit = 0;
    for (int64_t step : steps)
        unit = std::gcd(unit, std::abs(step));
    unit = std::max<int64_t>(unit, 1);
    // Within one unit of the mean period, and within a tenth of it: a frame
    // dropped where the unit is the period itself (an AVI's chunk), or a
    // change of rate in timestamps that are all multiples of a coarse step,
    // is not evenly spaced.
    const double nominal = double(durationTicks) / n;
    timing.evenlySpaced = std::all_of(steps.begin(), steps.end(), [nominal, unit](int64_t s) {
        const double away = std::abs(double(s) - nominal);
        return away <= double(unit) + 1e-9 && away <= nominal / 10;
    });

    std::vector<int64_t> sorted = steps;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t m = sorted.size();
    const double median =
        m % 2 ? double(sorted[m / 2]) : (double(sorted[m / 2 - 1]) + double(sorted[m / 2])) / 2;
    timing.medianInterval = double(median * tick);
    timing.minInterval = double(sorted.front() * tick);
    timing.maxInterval = double(sorted.back() * tick);
    for (int f = 1; f < n; ++f) {
        const double away = std::abs(double(steps[f - 1]) - median);
        if (away > 0.10 * median || (median == 0 && steps[f - 1] != 0))
            timing.variableRate = true;
        if (away > 0.25 * median || median == 0)
            timing.irregularFrames.push_back(f);
    }
    // Repeated timestamps everywhere leave a median of 0: nothing is regular.
    if (median == 0)
        timing.variableRate = true;
    return timing;
}

QString intervalText(double seconds) {
    return FormatFixed(1, static_cast<long double>(seconds) * 1000) + QStringLiteral(" ms");
}

QString variableRateWarning(const FrameTiming& timing) {
    return QStringLiteral("Les images de ce clip ne sont pas régulièrement espacées :\r"
                          "intervalles de %1 à %2 (médiane %3).\r\r"
                          "Le temps de chaque image est celui que le fichier lui donne ; "
                          "les images irrégulières sont listées dans les propriétés du clip.")
        .arg(intervalText(timing.minInterval), intervalText(timing.maxInterval),
             intervalText(timing.medianInterval));
}

} // namespace traxilo
