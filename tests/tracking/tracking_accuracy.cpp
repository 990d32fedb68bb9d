// Tracking accuracy on generated clips with a known truth: a patterned ball
// thrown over a patterned background, sharp, blurred and shaded, behind a
// pole, spinning, and filmed by a phone held upright at a variable rate.
// The test answers every question as a careful user would: it accepts a
// candidate that is right, skips a frame where the ball is hidden even in
// part, and otherwise shows the ball where it really is.
#include "clip/video_source.h"
#include "clipgen/clip_generator.h"
#include "clipgen/scene.h"
#include "support/generated_clips.h"
#include "tracking/run_harness.h"

#include <QtTest>
#include <cmath>
#include <map>

using namespace traxilo;
using namespace traxilo::tracking;

namespace {

struct Outcome {
    std::map<int, QPointF> positions; // recorded, by frame
    std::map<int, PointSource> sources;
    std::vector<int> stops; // frames the run asked about
    RunEnd end;
};

double distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Runs the tracker as the window does, answering its questions from the
// truth.
Outcome track(const QString& path, const clipgen::ClipTruth& truth, double radiusShare) {
    test::RunHarness harness;
    harness.onDoubt = [&](const TrackingDoubt& doubt) {
        const clipgen::FrameTruth& real = truth.frames[std::size_t(doubt.frame)];
        const Match& m = doubt.matches.value(0);
        if (m.hasCandidate() && distance(m.position, real.ball) < 1.0)
            harness.call(&TrackingRun::acceptCandidates);
        else if (real.visible < 1)
            harness.call(&TrackingRun::skipFrame);
        else
            harness.call([run = harness.run, at = real.ball] { run->placeObjects({at}); });
    };
    RunSetup setup;
    setup.clipPath = path;
    setup.objects = {{truth.frames[0].ball, truth.ballRadius * radiusShare}};
    harness.start(setup);
    Outcome out;
    if (harness.waitForEnd())
        out.end = *harness.end;
    for (const auto& f : harness.frames) {
        out.positions[f.frame] = f.positions.value(0);
        out.sources[f.frame] = f.sources.value(0);
    }
    for (const TrackingDoubt& doubt : harness.doubts)
        out.stops.push_back(doubt.frame);
    return out;
}

// g from a parabola y = a + b t + c t^2 fitted to the positions by least
// squares, in metres per second squared.
double fittedG(const std::map<int, QPointF>& positions, const std::vector<double>& times,
               double pixelsPerMetre) {
    double s[5] = {};
    double r[3] = {};
    for (const auto& [frame, p] : positions) {
        const double t = times[std::size_t(frame)];
        double power = 1;
        for (int k = 0; k < 5; ++k, power *= t) {
            s[k] += power;
            if (k < 3)
                r[k] += power * p.y();
        }
    }
    // Normal equations, solved by Cramer's rule.
    auto det3 = [](double a, double b, double c, double d, double e, double f, double g, double h,
                   double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double det = det3(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    const double c = det3(s[0], s[1], r[0], s[1], s[2], r[1], s[2], s[3], r[2]) / det;
    return 2 * c / pixelsPerMetre; // y grows downward: the fall is +g/2 t^2 in pixels
}

} // namespace

class TrackingAccuracy : public QObject {
    Q_OBJECT
private slots:
    void onRecipe_data();
    void onRecipe();
};

void TrackingAccuracy::onRecipe_data() {
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QSize>("stored");       // the size it is written at
    QTest::addColumn<double>("radiusShare"); // of the circle drawn, to the ball's radius
    QTest::addColumn<double>("stopShare");   // most frames in doubt allowed, as a share
    QTest::addColumn<bool>("checkG");
    // One clip at full size; the others smaller, where size is not the point.
    QTest::newRow("sharp 1080p") << "track-throw" << QSize(1920, 1080) << 1.0 << 2.0 / 50 << true;
    QTest::newRow("blur and shade")
        << "track-blur-shadow" << QSize(640, 360) << 1.0 << 0.15 << false;
    // Users drag the circle roughly.
    QTest::newRow("blur and shade, circle too wide")
        << "track-blur-shadow" << QSize(640, 360) << 1.15 << 0.15 << false;
    QTest::newRow("pole") << "track-pole" << QSize(640, 360) << 1.0 << 1.0 << false;
    QTest::newRow("spinning") << "track-spin" << QSize(640, 360) << 1.0 << 1.0 << false;
    QTest::newRow("phone, variable rate")
        << "track-phone-vfr" << QSize(960, 540) << 1.0 << 1.0 << true;
}

void TrackingAccuracy::onRecipe() {
    QFETCH(QString, recipe);
    QFETCH(QSize, stored);
    QFETCH(double, radiusShare);
    QFETCH(double, stopShare);
    QFETCH(bool, checkG);

    std::optional<clipgen::ClipSpec> clipSpec = clipgen::recipe(recipe);
    QVERIFY(clipSpec);
    clipSpec->width = stored.width();
    clipSpec->height = stored.height();
    QString error;
    const QString path = testing::generatedClip(*clipSpec, recipe + ".mp4", &error);
    QVERIFY2(!path.isEmpty(), qPrintable(error));
    const clipgen::ClipTruth truth = clipgen::Scene(*clipSpec).truth();
    const std::unique_ptr<VideoSource> source = openVideoSource(path);
    QVERIFY(source);
    QCOMPARE(QSize(source->facts().width, source->facts().height), truth.shownSize);

    const Outcome out = track(path, truth, radiusShare);
    QCOMPARE(out.end.reason, RunEnd::Reason::LastFrame);
    const int frames = int(truth.frames.size()) - 1; // after the reference

    double worst = 0;
    double squares = 0;
    int tracked = 0;
    for (const auto& [frame, p] : out.positions) {
        const double error = distance(p, truth.frames[std::size_t(frame)].ball);
        const PointSource source = out.sources.at(frame);
        if (source == PointSource::Tracked) {
            worst = std::max(worst, error);
            squares += error * error;
            ++tracked;
            QVERIFY2(
                error <= 2.0,
                qPrintable(QStringLiteral("frame %1: %2 px from the truth").arg(frame).arg(error)));
        }
    }
    QVERIFY(tracked > 0);
    const double rms = std::sqrt(squares / tracked);
    QVERIFY2(rms <= 0.7, qPrintable(QString::number(rms)));

    for (int i = 1; i <= frames; ++i) {
        if (!truth.frames[std::size_t(i)].hidden)
            continue;
        QVERIFY2(std::count(out.stops.begin(), out.stops.end(), i) == 1,
                 qPrintable(QStringLiteral("hidden frame %1 did not stop the run").arg(i)));
        QVERIFY(!out.positions.count(i));
    }
    if (recipe == QLatin1String("track-pole"))
        QCOMPARE(std::count_if(truth.frames.begin(), truth.frames.end(),
                               [](const clipgen::FrameTruth& f) { return f.hidden; }),
                 3);
    const int clipFrames = int(truth.frames.size());
    QVERIFY2(
        int(out.stops.size()) <= int(std::floor(stopShare * clipFrames + 1e-9)),
        qPrintable(QStringLiteral("%1 stops in %2 frames").arg(out.stops.size()).arg(clipFrames)));

    QString gText;
    if (checkG) {
        const double g = fittedG(out.positions, source->facts().timing.times, truth.pixelsPerMetre);
        gText = QStringLiteral(", g %1 m/s2").arg(g, 0, 'f', 4);
        QVERIFY2(std::abs(g - truth.g) <= 0.005 * truth.g, qPrintable(gText));
    }
    qInfo("%s: %d frames, %d tracked without a word, %d stops; max %.2f px, RMS %.2f px%s",
          qPrintable(recipe), frames, tracked, int(out.stops.size()), worst, rms,
          qPrintable(gText));
}

QTEST_GUILESS_MAIN(TrackingAccuracy)
#include "tracking_accuracy.moc"
