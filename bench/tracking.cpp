// Assisted tracking figures at 1080p: the matching time per frame for one
// point (the search alone, the frame already decoded), and a whole run's
// frames per second, decoding included, on an H.264 clip of a patterned
// ball over a patterned background.
// Usage: bench_tracking [folder for the clip, default /tmp/traxilo-bench]
#include "bench_support.h"
#include "clip/ffmpeg_video_source.h"
#include "clip/frame_reader.h"
#include "clipgen/clip_generator.h"
#include "clipgen/scene.h"
#include "tracking/point_tracker.h"
#include "tracking/tracking_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace traxilo;
using namespace traxilo::tracking;

namespace {

using namespace traxilo::bench;

double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Decoding and conversion alone, as the run reads its frames.
void decodeOnly(const QString& path) {
    FfmpegVideoSource source;
    if (!source.open(path, nullptr))
        return;
    FrameReader reader(source, 0, 1);
    QElapsedTimer clock;
    clock.start();
    int frames = 0;
    for (FrameReader::Frame f = reader.next(); f.index >= 0; f = reader.next())
        ++frames;
    std::printf("  frames read in order  %7.1f per second (decoding and conversion, %d frames)\n",
                frames / (clock.nsecsElapsed() / 1e9), frames);
}

void matching(const QString& path, const clipgen::ClipTruth& truth) {
    FfmpegVideoSource source;
    if (!source.open(path, nullptr))
        return;
    const std::vector<double>& times = source.facts().timing.times;
    const int count = source.facts().frameCount;
    auto tracker =
        PointTracker::start(source.frame(0), truth.frames[0].ball, truth.ballRadius, times[0]);
    if (!tracker)
        return;
    std::vector<double> wall;
    std::vector<double> cpu;
    int taken = 0;
    // Frames decoded a batch at a time, then matched with nothing else
    // running in the program, so that the CPU time of the process (OpenCV
    // may use threads of its own) is the matching's.
    constexpr int kBatch = 15;
    for (int start = 1; start < count; start += kBatch) {
        std::vector<QImage> batch;
        for (int i = start; i < std::min(count, start + kBatch); ++i)
            batch.push_back(source.frame(i));
        for (int k = 0; k < int(batch.size()); ++k) {
            const double t = times[std::size_t(start + k)];
            QElapsedTimer clock;
            clock.start();
            const double cpu0 = processCpuMs();
            const Match m = tracker->match(batch[std::size_t(k)], t);
            cpu.push_back(processCpuMs() - cpu0);
            wall.push_back(clock.nsecsElapsed() / 1e6);
            // As the user would answer: the true place when in doubt.
            if (m.accepted()) {
                tracker->record(m.position, t);
                ++taken;
            } else {
                tracker->setReference(batch[std::size_t(k)],
                                      truth.frames[std::size_t(start + k)].ball, t);
            }
        }
    }
    std::printf("  matching, one point   %7.2f ms median, %7.2f worst (wall); %.2f ms median "
                "CPU; radius %.0f px, %d of %d frames taken\n",
                median(wall), worst(wall), median(cpu), truth.ballRadius, taken, int(wall.size()));
}

void wholeRun(const QString& path, const clipgen::ClipTruth& truth, int points) {
    QThread thread;
    auto* run = new TrackingRun;
    run->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, run, &QObject::deleteLater);
    thread.start();
    int frames = 0;
    int doubts = 0;
    bool done = false;
    QObject context;
    QObject::connect(run, &TrackingRun::frameTracked, &context,
                     [&](const TrackedFrame&) { ++frames; });
    QObject::connect(run, &TrackingRun::doubtful, &context, [&](const TrackingDoubt&) {
        ++doubts;
        QMetaObject::invokeMethod(run, &TrackingRun::acceptCandidates, Qt::QueuedConnection);
    });
    QObject::connect(run, &TrackingRun::finished, &context, [&](const RunEnd&) { done = true; });
    RunSetup setup;
    setup.clipPath = path;
    setup.objects = {{truth.frames[0].ball, truth.ballRadius}};
    // More points: patches of the background that stay put.
    for (int i = 1; i < points; ++i)
        setup.objects.push_back({QPointF(300 + 160 * i, 700), truth.ballRadius});
    QElapsedTimer clock;
    clock.start();
    const double cpu0 = processCpuMs();
    QMetaObject::invokeMethod(
        run, [run, setup] { run->start(setup); }, Qt::QueuedConnection);
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = clock.nsecsElapsed() / 1e9;
    // The CPU time tells what two free cores would do, whatever else runs.
    std::printf("  whole run, %d point%s  %7.1f frames per second, decoding included (%d frames, "
                "%d questions, %.2f s with the opening); %.1f ms CPU per frame\n",
                points, points > 1 ? "s" : " ", frames / seconds, frames, doubts, seconds,
                (processCpuMs() - cpu0) / std::max(1, frames));
    thread.quit();
    thread.wait();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "/tmp/traxilo-bench";
    QDir().mkpath(folder);
    clipgen::ClipSpec clipSpec = *clipgen::recipe(QStringLiteral("track-throw"));
    clipSpec.frames = 90;
    const QString path = folder + "/track_throw_1080.mp4";
    if (!QFileInfo::exists(path)) {
        std::printf("  generating %s ...\n", qPrintable(path));
        std::fflush(stdout);
        QString error;
        if (!clipgen::generateClip(clipSpec, path, &error)) {
            std::printf("cannot generate the clip: %s\n", qPrintable(error));
            return 1;
        }
    }
    const clipgen::ClipTruth truth = clipgen::Scene(clipSpec).truth();
    std::printf("== H.264 1920x1080, 60 per second, %d frames\n", clipSpec.frames);
    decodeOnly(path);
    matching(path, truth);
    wholeRun(path, truth, 1);
    wholeRun(path, truth, 9);
    return 0;
}
