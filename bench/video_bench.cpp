// Video backend figures on generated clips: open, steps, jumps, playback,
// peak memory, against the pure decoding cost of a frame.
// Usage: bench_video_bench [folder for the clips, default /tmp/traxilo-bench]
#include "bench_support.h"
#include "clip/clip_player.h"
#include "clip/decode_timing.h"
#include "clip/ffmpeg_video_source.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace traxilo;

namespace {

using namespace traxilo::bench;

struct Bench {
    const char* name;
    const char* file;
    QStringList options; // for traxilo-clipgen
};

template <typename F> double timeMs(F&& f) {
    QElapsedTimer clock;
    clock.start();
    f();
    return clock.nsecsElapsed() / 1e6;
}

void run(const Bench& b, const QString& folder) {
    const QString path = folder + '/' + b.file;
    std::printf("\n== %s (%s)\n", b.name, b.file);
    if (!ensureClip(path, b.options)) {
        std::printf("  cannot generate the clip\n");
        return;
    }
    resetPeak();
    const auto decode = measureSequentialDecode(path);
    if (!decode) {
        std::printf("  cannot decode\n");
        return;
    }
    const double ref = decode->msPerFrame();
    std::printf("  pure decode          %7.2f ms/frame (%d frames, 2 threads)\n", ref,
                decode->frames);

    std::vector<double> opens;
    for (int i = 0; i < 3; ++i) {
        opens.push_back(timeMs([&] {
            FfmpegVideoSource s;
            QString e;
            s.open(path, &e);
        }));
    }
    std::printf("  open (index, frame 0) %7.2f ms median of 3\n", median(opens));

    // One player at a time, as in the program.
    auto player = std::make_unique<ClipPlayer>();
    if (!player->open(path)) {
        std::printf("  %s\n", qPrintable(player->errorString()));
        return;
    }
    const int n = player->length();
    const int steps = std::min(n - 1, 300);

    std::vector<double> forward;
    player->seek(0);
    for (int i = 0; i < steps; ++i)
        forward.push_back(timeMs([&] { player->step(1, true); }));
    std::printf(
        "  step forward         %7.2f ms median, %7.2f worst (%.1f x decode), back to back\n",
        median(forward), worst(forward), median(forward) / ref);

    // As a user steps: a pause after each frame lets the next be decoded ahead.
    std::vector<double> paced;
    player->seek(0);
    for (int i = 0; i < std::min(steps, 150); ++i) {
        paced.push_back(timeMs([&] { player->step(1, true); }));
        QThread::msleep(15);
    }
    std::printf(
        "  step forward         %7.2f ms median, %7.2f worst (%.1f x decode), 15 ms apart\n",
        median(paced), worst(paced), median(paced) / ref);

    std::vector<double> backward;
    player->seek(n - 1);
    for (int i = 0; i < steps; ++i)
        backward.push_back(timeMs([&] { player->step(1, false); }));
    std::printf("  step backward        %7.2f ms median, %7.2f worst (%.1f x forward)\n",
                median(backward), worst(backward), median(backward) / median(forward));

    // Jumps on a fresh player, so the cache holds nothing useful.
    player = std::make_unique<ClipPlayer>();
    player->open(path);
    QRandomGenerator random(12345);
    std::vector<double> jumps;
    for (int i = 0; i < 40; ++i) {
        const int target = random.bounded(n);
        jumps.push_back(timeMs([&] { player->seek(target); }));
    }
    std::printf("  random jump          %7.2f ms median, %7.2f worst\n", median(jumps),
                worst(jumps));

    player = std::make_unique<ClipPlayer>();
    player->open(path);
    const double toLast = timeMs([&] { player->seek(n - 1); });
    const double toMiddle = timeMs([&] { player->seek(n / 2); });
    const double toFirst = timeMs([&] { player->seek(0); });
    std::printf("  first->last->middle->first %7.2f / %7.2f / %7.2f ms\n", toLast, toMiddle,
                toFirst);

    // Playback of the last 250 frames at the clip's rate.
    const int from = std::max(0, n - 251);
    player->seek(from);
    QEventLoop loop;
    QObject::connect(player.get(), &ClipPlayer::notify, &loop, &QEventLoop::quit);
    int shown = 0;
    QObject::connect(player.get(), &ClipPlayer::frameShown, &loop, [&] { ++shown; });
    QElapsedTimer clock;
    clock.start();
    player->play();
    loop.exec();
    const double expected = (n - 1 - from) * player->lengthMs() / n;
    std::printf(
        "  playback %d frames    %7.0f ms for %7.0f ms, %d shown, %d skipped, end at %d/%d\n",
        n - 1 - from, double(clock.elapsed()), expected, shown, player->framesSkipped(),
        player->position(), n - 1);
    std::printf("  peak resident        %7.1f MB (VmHWM)\n", peakKb() / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "/tmp/traxilo-bench";
    QDir().mkpath(folder);
    const std::vector<Bench> benches = {
        {"640x480 MJPEG",
         "mjpeg_640.avi",
         {"--codec", "mjpeg", "--size", "640x480", "--frames", "300"}},
        {"640x480 MPEG-4 part 2, B-frames, GOP 12",
         "mpeg4b_640.avi",
         {"--codec", "xvid", "--size", "640x480", "--frames", "300", "--gop", "12", "--bframes",
          "2"}},
        {"1920x1080 MPEG-4 part 2, GOP 150",
         "mpeg4_1080.avi",
         {"--codec", "xvid", "--size", "1920x1080", "--frames", "1800", "--gop", "150"}},
        {"1920x1080 H.264 MP4, GOP 60",
         "h264_1080.mp4",
         {"--codec", "h264", "--size", "1920x1080", "--frames", "1800", "--gop", "60",
          "--container", "mp4"}},
    };
    for (const Bench& b : benches)
        run(b, folder);
    return 0;
}
