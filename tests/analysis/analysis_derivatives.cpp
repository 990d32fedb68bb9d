// Five-point velocities and accelerations: exact on uniformly accelerated
// motion at the generator's frame times (even, variable-rate, slow motion),
// the classical formulas on even times, and no value where the window lacks
// a frame.
#include "analysis/derivatives.h"
#include "analysis/kinematics.h"

#include "clipgen/clip_generator.h"
#include "clipgen/scene.h"

#include <QTest>

#include <QRandomGenerator>
#include <cmath>

using namespace traxilo;
using clipgen::ClipSpec;

Q_DECLARE_METATYPE(ClipSpec)

namespace {

std::vector<std::optional<double>> present(const std::vector<double>& values) {
    return {values.begin(), values.end()};
}

} // namespace

class AnalysisDerivativesTest : public QObject {
    Q_OBJECT

private slots:
    void exactOnQuadraticMotion_data();
    void exactOnQuadraticMotion();
    void evenTimesGiveTheCentralFormulas();
    void gapsAndTimeOriginLeaveNoValue();
};

void AnalysisDerivativesTest::exactOnQuadraticMotion_data() {
    QTest::addColumn<ClipSpec>("clipSpec");
    ClipSpec even;
    even.motion = clipgen::Motion::Throw;
    even.frames = 40;
    even.v0x = 1.5;
    even.v0y = 3;
    QTest::newRow("25 per second") << even;

    auto phoneVfr = *clipgen::recipe(QStringLiteral("phone-vfr")); // 30 then 60 per second
    phoneVfr.motion = clipgen::Motion::Throw;
    phoneVfr.v0x = 0.4;
    phoneVfr.v0y = 0.8;
    QTest::newRow("phone-vfr recipe") << phoneVfr;

    ClipSpec irregular = even; // intervals of 1, 1,4, 0,6, 1,2, 0,8 periods in whole ms
    irregular.codec = clipgen::Codec::H264;
    irregular.container = clipgen::Container::Mp4;
    irregular.variableRate = true;
    QTest::newRow("irregular intervals") << irregular;

    auto slowmo = *clipgen::recipe(QStringLiteral("phone-slowmo")); // filmed at 240
    slowmo.motion = clipgen::Motion::Throw;
    slowmo.v0x = 2;
    slowmo.v0y = 1;
    QTest::newRow("slow motion") << slowmo;
}

void AnalysisDerivativesTest::exactOnQuadraticMotion() {
    QFETCH(ClipSpec, clipSpec);
    const clipgen::Scene scene(clipSpec);
    const auto& truth = scene.truth();
    std::vector<double> t, x, y;
    for (const auto& frame : truth.frames) {
        t.push_back(frame.t);
        x.push_back(frame.ball.x());
        y.push_back(frame.ball.y());
    }
    QVERIFY(t.size() >= 10);
    const bool irregular = std::fabs((t[2] - t[1]) - (t[1] - t[0])) > 1e-9 ||
                           std::fabs((t.back() - t[t.size() - 2]) - (t[1] - t[0])) > 1e-9;
    QCOMPARE(irregular, clipSpec.variableRate || clipSpec.laterFpsNum > 0);

    // Picture pixels, y downwards: vx = v0x·k, vy = −(v0y − g·t)·k, ay = g·k.
    const double k = truth.pixelsPerMetre;
    const double g = truth.g;
    const auto dx = fivePointDerivatives(t, present(x));
    const auto dy = fivePointDerivatives(t, present(y));
    const double vScale = k * (std::fabs(clipSpec.v0x) + std::fabs(clipSpec.v0y) + g * t.back());
    for (size_t i = 0; i < t.size(); ++i) {
        const bool inside = i >= 2 && i + 2 < t.size();
        QCOMPARE(dx[i].has_value(), inside);
        QCOMPARE(dy[i].has_value(), inside);
        if (!inside)
            continue;
        QVERIFY(std::fabs(dx[i]->velocity - clipSpec.v0x * k) < 1e-9 * vScale);
        QVERIFY(std::fabs(dy[i]->velocity + (clipSpec.v0y - g * t[i]) * k) < 1e-9 * vScale);
        QVERIFY(std::fabs(dx[i]->acceleration) < 1e-7 * g * k);
        QVERIFY(std::fabs(dy[i]->acceleration - g * k) < 1e-7 * g * k);
    }
}

void AnalysisDerivativesTest::evenTimesGiveTheCentralFormulas() {
    QRandomGenerator random(17);
    const double h = 1.0 / 30;
    std::vector<double> t, y;
    for (int i = 0; i < 30; ++i) {
        t.push_back(12.5 + i * h); // any clock: the formulas only see differences
        y.push_back(random.generateDouble() * 2 - 1);
    }
    const auto d = fivePointDerivatives(t, present(y));
    for (int i = 2; i + 2 < 30; ++i) {
        const double v = (-2 * y[i - 2] - y[i - 1] + y[i + 1] + 2 * y[i + 2]) / (10 * h);
        const double a =
            (2 * y[i - 2] - y[i - 1] - 2 * y[i] - y[i + 1] + 2 * y[i + 2]) / (7 * h * h);
        QVERIFY(d[i]);
        QVERIFY(std::fabs(d[i]->velocity - v) < 1e-9 * (1 + std::fabs(v)));
        QVERIFY(std::fabs(d[i]->acceleration - a) < 1e-8 * (1 + std::fabs(a)));
    }
}

void AnalysisDerivativesTest::gapsAndTimeOriginLeaveNoValue() {
    // 20 frames at 10 per second, the origin at frame 3, frame 10 not recorded
    // (x and y), frame 14 recorded for x only.
    const int frames = 20;
    const int origin = 3;
    std::vector<double> times;
    PointPositions point;
    for (int i = 0; i < frames; ++i) {
        const double t = 5 + 0.1 * i;
        times.push_back(t);
        point.x.push_back(2 * t);
        point.y.push_back(-4.9 * t * t);
    }
    point.x[10].reset();
    point.y[10].reset();
    point.y[14].reset();
    const auto k = computeKinematics(times, origin, {point});
    QCOMPARE(k.size(), size_t(1));

    auto framesOf = [&](Quantity q) {
        std::vector<int> list;
        for (const Sample& s : k[0][q])
            list.push_back(s.frame);
        return list;
    };
    auto range = [](int from, int to, std::vector<int> except) {
        std::vector<int> list;
        for (int i = from; i <= to; ++i)
            if (std::find(except.begin(), except.end(), i) == except.end())
                list.push_back(i);
        return list;
    };
    QCOMPARE(framesOf(Quantity::T), range(origin, 19, {}));
    QCOMPARE(framesOf(Quantity::X), range(origin, 19, {10}));
    QCOMPARE(framesOf(Quantity::Y), range(origin, 19, {10, 14}));
    // A window needs two recorded frames on each side, from the origin on.
    QCOMPARE(framesOf(Quantity::Vx), range(origin + 2, 17, {8, 9, 10, 11, 12}));
    QCOMPARE(framesOf(Quantity::Ay), range(origin + 2, 17, {8, 9, 10, 11, 12, 13, 14, 15, 16}));
    QCOMPARE(framesOf(Quantity::V), framesOf(Quantity::Ay));

    QCOMPARE(k[0][Quantity::T].front().value, 0.0); // times count from the origin
    for (const Sample& s : k[0][Quantity::V]) {
        const double t = times[s.frame];
        QVERIFY(std::fabs(s.t - (t - times[origin])) < 1e-12);
        QVERIFY(std::fabs(s.value - std::hypot(2.0, 9.8 * t)) < 1e-9);
    }
    for (const Sample& s : k[0][Quantity::Ax])
        QVERIFY(std::fabs(s.value) < 1e-8);
}

QTEST_APPLESS_MAIN(AnalysisDerivativesTest)
#include "analysis_derivatives.moc"
