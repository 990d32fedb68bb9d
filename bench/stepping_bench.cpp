// Stepping a 1080p H.264 clip (keyframe every 60 frames, textured frames that
// decode like a filmed scene) as a teacher does with the arrow keys:
//   forward   10 runs of 300 steps forward, back to back: median and worst
//             step (a late look-ahead must never cost a whole group again);
//   backward  Left every 100 ms over 300 frames: the worst wait for a frame
//             and the peak memory of the process.
// Usage: bench_stepping_bench [forward|backward|both] [folder, default /tmp/traxilo-bench]
// For the peak memory of the backward run alone:
//   /usr/bin/time -v bench_stepping_bench backward
#include "bench_support.h"
#include "clip/clip_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace traxilo;

namespace {

using namespace traxilo::bench;

double msSince(const QElapsedTimer& clock, qint64 fromNs) {
    return (clock.nsecsElapsed() - fromNs) / 1e6;
}

void forward(const QString& path) {
    constexpr int kRuns = 10;
    constexpr int kSteps = 300;
    std::printf("\n== forward: %d runs of %d steps, back to back\n", kRuns, kSteps);
    std::vector<double> all;
    for (int run = 0; run < kRuns; ++run) {
        ClipPlayer player;
        if (!player.open(path)) {
            std::printf("  %s\n", qPrintable(player.errorString()));
            return;
        }
        // Runs start at different places of the group of frames.
        const int start = std::min(run * 13, player.length() - kSteps - 1);
        player.seek(start);
        std::vector<double> steps;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kSteps; ++i) {
            const qint64 from = clock.nsecsElapsed();
            if (!player.step(1, true))
                std::printf("  step to %d failed: %s\n", player.position(),
                            qPrintable(player.errorString()));
            steps.push_back(msSince(clock, from));
        }
        const auto slow = std::max_element(steps.begin(), steps.end());
        std::printf("  run %2d from %3d: median %6.1f ms, worst %7.1f ms (step to %d)\n", run,
                    start, median(steps), *slow, start + 1 + int(slow - steps.begin()));
        std::fflush(stdout);
        all.insert(all.end(), steps.begin(), steps.end());
    }
    const double m = median(all);
    const double w = worst(all);
    std::printf("  all %zu steps: median %.1f ms, worst %.1f ms, worst / median %.2f\n", all.size(),
                m, w, m > 0 ? w / m : 0);
    std::sort(all.begin(), all.end());
    const auto over = [&](double factor) {
        return all.end() - std::upper_bound(all.begin(), all.end(), factor * m);
    };
    std::printf("  99th percentile %.1f ms; steps over 2 x median: %td, over 3 x median: %td\n",
                all[all.size() * 99 / 100], over(2), over(3));
}

void backward(const QString& path) {
    constexpr int kSteps = 300;
    constexpr int kPeriodMs = 100;
    ClipPlayer player;
    if (!player.open(path)) {
        std::printf("  %s\n", qPrintable(player.errorString()));
        return;
    }
    // Reached by a jump, as after "Aller à l'image...", then Left 300 times.
    const int start = std::min(player.length() - 1, kSteps + 45);
    std::printf("\n== backward: Left every %d ms from frame %d to %d\n", kPeriodMs, start,
                start - kSteps);
    player.seek(start);
    std::vector<double> waits;
    std::vector<double> own; // the step itself, without the keys queued before it
    QElapsedTimer clock;
    clock.start();
    int slowAt = -1;
    for (int i = 0; i < kSteps; ++i) {
        // A key pressed while the previous frame is still awaited waits for it.
        const qint64 due = qint64(i) * kPeriodMs * 1000000;
        const qint64 now = clock.nsecsElapsed();
        if (now < due)
            QThread::usleep(unsigned((due - now) / 1000));
        const qint64 pressed = std::min(due, clock.nsecsElapsed());
        const qint64 begun = clock.nsecsElapsed();
        if (!player.step(1, false))
            std::printf("  step to %d failed: %s\n", player.position(),
                        qPrintable(player.errorString()));
        waits.push_back(msSince(clock, pressed));
        own.push_back(msSince(clock, begun));
        if (waits.back() >= worst(waits))
            slowAt = player.position();
    }
    const long peak = peakKb();
    int over = 0;
    for (double w : waits)
        over += w > kPeriodMs;
    std::printf("  waits: median %.1f ms, worst %.1f ms (at frame %d), %d over %d ms\n",
                median(waits), worst(waits), slowAt, over, kPeriodMs);
    std::printf("  the steps themselves: median %.1f ms, worst %.1f ms\n", median(own), worst(own));
    std::printf("  peak resident %.1f MB (VmHWM)\n", peak / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("both");
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : "/tmp/traxilo-bench";
    QDir().mkpath(folder);
    const QString path = folder + "/h264_1080_gop60_texture.mp4";
    if (!ensureClip(path, {"--codec", "h264", "--size", "1920x1080", "--frames", "450", "--gop",
                           "60", "--container", "mp4", "--texture"})) {
        std::printf("cannot generate the clip\n");
        return 1;
    }
    if (mode == "forward" || mode == "both")
        forward(path);
    if (mode == "backward" || mode == "both")
        backward(path);
    return 0;
}
