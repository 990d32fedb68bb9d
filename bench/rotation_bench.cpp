// The cost of showing a phone's portrait clip upright: steps forward and
// back on a 1080p H.264 clip stored 1920 x 1080 with a display rotation of
// 90 degrees, against the same clip without the rotation. Textured frames,
// so that decoding costs what a filmed scene costs.
// Usage: bench_rotation_bench [folder for the clips, default /tmp/traxilo-bench]
#include "bench_support.h"
#include "clip/clip_player.h"
#include "clip/decode_timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace traxilo;

namespace {

using namespace traxilo::bench;

struct Steps {
    double forward = 0;
    double backward = 0;
};

// Medians of single steps at the picture's own size, back to back.
Steps measure(const QString& path) {
    ClipPlayer player;
    if (!player.open(path)) {
        std::printf("  %s\n", qPrintable(player.errorString()));
        return {};
    }
    const int n = player.length();
    std::vector<double> forward, backward;
    QElapsedTimer clock;
    player.seek(0);
    for (int i = 1; i < n; ++i) {
        clock.start();
        player.step(1, true);
        forward.push_back(clock.nsecsElapsed() / 1e6);
    }
    for (int i = 1; i < n; ++i) {
        clock.start();
        player.step(1, false);
        backward.push_back(clock.nsecsElapsed() / 1e6);
    }
    return {median(forward), median(backward)};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "/tmp/traxilo-bench";
    QDir().mkpath(folder);
    const QStringList common = {"--codec", "h264",  "--size", "1920x1080", "--frames",
                                "120",     "--gop", "60",     "--texture"};
    const QString upright = folder + "/h264_1080_texture.mp4";
    const QString portrait = folder + "/h264_1080_texture_rot90.mp4";
    if (!ensureClip(upright, common) ||
        !ensureClip(portrait, common + QStringList{"--rotation", "90"})) {
        std::printf("cannot generate the clips\n");
        return 1;
    }
    const auto decode = measureSequentialDecode(upright);
    if (decode)
        std::printf("pure decode              %7.2f ms/frame (%d frames, 2 threads)\n",
                    decode->msPerFrame(), decode->frames);
    const Steps plain = measure(upright);
    const Steps turned = measure(portrait);
    std::printf("step forward   1920x1080 %7.2f ms, shown 1080x1920 (rotation 90) %7.2f ms: "
                "x %.2f\n",
                plain.forward, turned.forward, turned.forward / plain.forward);
    std::printf("step backward  1920x1080 %7.2f ms, shown 1080x1920 (rotation 90) %7.2f ms: "
                "x %.2f\n",
                plain.backward, turned.backward, turned.backward / plain.backward);
    return 0;
}
