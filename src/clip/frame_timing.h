#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace traxilo {

// When each frame of a clip was filmed, from the timestamps the file gives
// its frames, and how regular that is.
struct FrameTiming {
    std::vector<double> times; // seconds from the first frame, one per frame
    // Every interval is within one unit of the timestamps (their greatest
    // common step) of the mean period, and within a tenth of it: the time of
    // frame i is then i x period, as for any regular clip.
    bool evenlySpaced = true;
    double medianInterval = 0; // seconds
    double minInterval = 0;
    double maxInterval = 0;
    // Some interval is more than 10 % away from the median: a variable frame
    // rate, or frames dropped or repeated.
    bool variableRate = false;
    // Frames (0-based) whose interval from the frame before is more than
    // 25 % away from the median.
    std::vector<int> irregularFrames;
};

// `stamps`: each frame's timestamp, frames in the order they are shown, in
// ticks of tickNum / tickDen seconds; `durationTicks`: the clip's length, so
// that its mean period is durationTicks / frames.
FrameTiming analyseFrameTiming(const std::vector<int64_t>& stamps, int64_t durationTicks,
                               int64_t tickNum, int64_t tickDen);

// The warning given once when a clip of variable rate opens.
QString variableRateWarning(const FrameTiming& timing);

// "16,7 ms": an interval in milliseconds with one decimal.
QString intervalText(double seconds);

} // namespace traxilo
