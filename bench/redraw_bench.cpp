// Cost of redrawing a full trajectory over a 1080p frame, against the cost of
// showing the frame alone: the document's marks drawn by the drawing
// routines, without a window. Run by hand: build/bin/bench/bench_redraw_bench
#include "bench_support.h"
#include "document/measurement_document.h"
#include "pointing/drawing.h"
#include "pointing/style_table.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace traxilo;

namespace {

using namespace traxilo::bench;

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    constexpr int kFrames = 10000;
    constexpr int kPoints = 9;
    constexpr int W = 1920;
    constexpr int H = 1080;

    MeasurementDocument document;
    document.openClip(
        {QStringLiteral("trajectory.avi"), kFrames, QSize(W, H), QString(), 0.04L, {}});
    document.setPointsPerFrame(kPoints);
    PointStyles styles = document.styles();
    for (int c = 1; c <= kPoints; ++c) {
        styles.point(c).colour = QColor::fromHsv(c * 36, 255, 255);
        styles.point(c).shape = c % 3;
    }
    document.setStyles(styles, document.markSize());
    QRandomGenerator random(1234);
    std::vector<PositionChange> positions;
    for (int f = 0; f < kFrames; ++f)
        for (int c = 1; c <= kPoints; ++c)
            positions.push_back(
                {f, c, std::nullopt,
                 PointPosition{QPointF(random.bounded(W), random.bounded(H)), false}});
    document.applyPositions(positions, true);
    const Calibration& calibration = document.calibration();
    const double marksMs = medianMs(5, [&] { (void)document.marks(); });

    QImage frame(W, H, QImage::Format_RGB32);
    frame.fill(QColor(90, 120, 60));

    const double copyMs = medianMs(20, [&] {
        QImage shown = frame.copy();
        Q_UNUSED(shown);
    });
    std::printf("frame copy without marks           %8.2f ms\n", copyMs);
    std::printf("the document's %d marks listed     %8.2f ms\n", document.positionCount(), marksMs);

    for (int r : {1, 4}) {
        DrawOptions options;
        options.displayWidth = W;
        options.displayHeight = H;
        options.markSize = r;
        options.withScaleSegment = true;
        const std::vector<PointMark> marks = document.marks();
        const double redrawMs = medianMs(
            5, [&] { QImage shown = reDrawImage(frame, marks, styles, calibration, options); });
        QImage overlay;
        const double overlayMs = medianMs(
            5, [&] { overlay = renderOverlay(frame.size(), marks, styles, calibration, options); });
        // The window's layer: each mark with a contrasting edge.
        options.outlined = true;
        const double outlinedMs = medianMs(
            5, [&] { (void)renderOverlay(frame.size(), marks, styles, calibration, options); });
        const double composeMs = medianMs(20, [&] {
            QImage shown = frame.copy();
            compositeOverlay(shown, overlay);
        });
        std::printf("mark size %d (r = %d), %d marks:\n", r + 1, r, kFrames * kPoints);
        std::printf("  reDraw (copy + all marks)         %8.2f ms\n", redrawMs);
        std::printf("  overlay built once                %8.2f ms\n", overlayMs);
        std::printf("  outlined overlay built once       %8.2f ms\n", outlinedMs);
        std::printf("  frame copy + cached overlay       %8.2f ms\n", composeMs);
    }
    return 0;
}
