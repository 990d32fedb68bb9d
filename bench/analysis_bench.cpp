// Cost of the analysis on long recordings: non-linear fits of 2 000 points,
// and drawing 2 000 points with a fitted model through the graph page, off
// screen. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench/bench_analysis_bench
#include "analysis/curve_fit.h"
#include "analysis/kinematics.h"
#include "app/graphs/graph_widget.h"
#include "bench_support.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>

using namespace traxilo;

namespace {

using namespace traxilo::bench;

constexpr int kPoints = 2000;

// 2 000 frames at 60 per second of a damped oscillation, 1 000 px/m, 0.5 px
// of noise: 33 s, 16 periods.
struct Recording {
    std::vector<double> t;
    std::vector<double> y;
};

Recording oscillation(FitModel model) {
    const double w = 2 * std::numbers::pi / 2.1;
    std::vector<double> truth;
    switch (model) {
    case FitModel::Sine:
        truth = {0.15, w, 0.4, 0.3};
        break;
    case FitModel::DampedSine:
        truth = {0.15, 15.0, w, 0.4, 0.3};
        break;
    default:
        truth = {0.5, 8.0, 0.1};
        break;
    }
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 0.5 / 1000);
    Recording r;
    for (int i = 0; i < kPoints; ++i) {
        r.t.push_back(i / 60.0);
        r.y.push_back(fitModelValue(model, truth, r.t.back()) + noise(random));
    }
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    std::printf("Non-linear fits of %d points (median of 20):\n", kPoints);
    for (FitModel model : {FitModel::Sine, FitModel::DampedSine, FitModel::Exponential}) {
        const Recording r = oscillation(model);
        FitResult fit;
        const double ms = medianMs(20, [&] { fit = fitCurve(model, r.t, r.y); });
        std::printf("  %-20s %7.2f ms  (%d iterations, %s)\n",
                    fitModelName(model).toUtf8().constData(), ms, fit.iterations,
                    fit.ok() ? "ok" : fit.error.toUtf8().constData());
    }
    {
        const Recording r = oscillation(FitModel::DampedSine);
        const double ms = medianMs(20, [&] { fitCurve(FitModel::Parabola, r.t, r.y); });
        std::printf("  %-20s %7.2f ms\n", "Parabole (QR)", ms);
    }

    // A point recorded on 2 000 frames, its y oscillating: the page computes
    // the series, fits a damped sine and draws the curve, the model and the
    // residuals.
    const Recording r = oscillation(FitModel::DampedSine);
    PointPositions point;
    for (int i = 0; i < kPoints; ++i) {
        point.x.push_back(0.01 * i);
        point.y.push_back(r.y[i]);
    }
    GraphData data;
    const double kinematicsMs =
        medianMs(20, [&] { data.points = computeKinematics(r.t, 0, {point}); });
    GraphWidget widget;
    widget.resize(410, 600);
    widget.setData(data);
    auto* models = widget.findChild<QComboBox*>(QStringLiteral("cbModele"));
    models->setCurrentIndex(int(FitModel::DampedSine));
    widget.fitModel();
    std::printf("\nGraph page with %d points (%s):\n", widget.plottedPointCount(),
                widget.fit() ? "damped sine fitted" : "no model!");
    std::printf("  series from the positions      %7.2f ms\n", kinematicsMs);
    for (QSize size : {QSize(400, 500), QSize(800, 600), QSize(1200, 900)}) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        const double ms = medianMs(30, [&] {
            image.fill(Qt::white);
            QPainter painter(&image);
            widget.render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
        });
        std::printf("  draw into a %4dx%-4d image   %7.2f ms\n", size.width(), size.height(), ms);
    }
    const double updateMs = medianMs(10, [&] {
        widget.setData(data); // refits and rebuilds the plots
        QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        widget.render(painter, QRectF(0, 0, 800, 600));
    });
    std::printf("  new data, refit and draw 800x600 %5.2f ms\n", updateMs);
    return 0;
}
