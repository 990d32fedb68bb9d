// Cost of redrawing a full trajectory over a 1080p frame, against the cost of
// showing the frame alone. Run by hand: build/bin/bench/bench_redraw_bench
#include "geometry/calibration.h"
#include "pointing/drawing.h"
#include "pointing/measure_tables.h"
#include "pointing/style_table.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace traxilo;

namespace {

double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    constexpr int kFrames = 10000;
    constexpr int kPoints = 9;
    constexpr int W = 1920;
    constexpr int H = 1080;

    MeasureTables tables;
    tables.openClip(kFrames, 0.04L);
    tables.nbPointsPlan(kPoints);
    QRandomGenerator random(1234);
    for (int c = 1; c <= kPoints; ++c) {
        setColour(tables.StyleTable, c, QColor::fromHsv(c * 36, 255, 255));
        setShape(tables.StyleTable, c, c % 3);
    }
    for (int r = 1; r <= kFrames; ++r)
        for (int c = 1; c <= kPoints; ++c) {
            tables.PixelTable.setCell(2 * c - 1, r, QString::number(random.bounded(W)));
            tables.PixelTable.setCell(2 * c, r, QString::number(random.bounded(H)));
        }
    Calibration calibration;
    resetForOpenedClip(calibration, H);
    calibration.scaleSegmentShown = true;

    QImage frame(W, H, QImage::Format_RGB32);
    frame.fill(QColor(90, 120, 60));

    const double copyMs = medianMs(20, [&] {
        QImage shown = frame.copy();
        Q_UNUSED(shown);
    });
    std::printf("frame copy without marks           %8.2f ms\n", copyMs);

    for (int r : {1, 4}) {
        const DrawOptions options{W, H, r, true, false};
        const double redrawMs =
            medianMs(5, [&] { QImage shown = reDrawImage(frame, tables, calibration, options); });
        QImage overlay;
        const double overlayMs = medianMs(
            5, [&] { overlay = renderOverlay(frame.size(), tables, calibration, options); });
        const double composeMs = medianMs(20, [&] {
            QImage shown = frame.copy();
            compositeOverlay(shown, overlay);
        });
        std::printf("mark size %d (r = %d), %d marks:\n", r + 1, r, kFrames * kPoints);
        std::printf("  reDraw (copy + all marks)         %8.2f ms\n", redrawMs);
        std::printf("  overlay built once                %8.2f ms\n", overlayMs);
        std::printf("  frame copy + cached overlay       %8.2f ms\n", composeMs);
    }
    return 0;
}
