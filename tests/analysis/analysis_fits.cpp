// Fits: exact on exact data, uncertainties that match the spread of repeated
// noisy measurements, convergence of the non-linear models from their
// automatic start, French messages instead of numbers on degenerate input,
// and the text of values with their uncertainties.
#include "analysis/curve_fit.h"
#include "analysis/fit_text.h"

#include "common/number_format.h"

#include <QTest>

#include <cmath>
#include <numbers>
#include <random>

using namespace traxilo;

Q_DECLARE_METATYPE(FitModel)
Q_DECLARE_METATYPE(std::vector<double>)

namespace {

constexpr double kPi = std::numbers::pi;

// A throw pointed at 25 frames per second on a picture at 400 px/m, y up,
// each click off by a normal error of 0.5 px on each axis.
struct Throw {
    static constexpr double g = 9.81;
    static constexpr double v0 = 3.2;
    static constexpr double y0 = 0.6;
    static constexpr double pixelsPerMetre = 400;
    static constexpr double noisePixels = 0.5;
    static constexpr int frames = 30;
    static constexpr double dt = 0.04;
};

double spread(const std::vector<double>& values) {
    double mean = 0;
    for (double v : values)
        mean += v;
    mean /= values.size();
    double sum = 0;
    for (double v : values)
        sum += (v - mean) * (v - mean);
    return std::sqrt(sum / (values.size() - 1));
}

double rms(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values)
        sum += v * v;
    return std::sqrt(sum / values.size());
}

} // namespace

class AnalysisFitsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setDecimalSeparator(u'.'); }
    void exactDataGiveExactParameters_data();
    void exactDataGiveExactParameters();
    void parabolaUncertaintyIsTheClosedForm();
    void gravityUncertaintyMatchesTheSpreadOfDraws();
    void dampedOscillationFromTheAutomaticStart();
    void degenerateInputGivesAFrenchMessage_data();
    void degenerateInputGivesAFrenchMessage();
    void valuesFollowTheirUncertainty_data();
    void valuesFollowTheirUncertainty();
    void parameterUnits_data();
    void parameterUnits();
    void gravityLineWithTheCalibration();
};

void AnalysisFitsTest::exactDataGiveExactParameters_data() {
    QTest::addColumn<FitModel>("model");
    QTest::addColumn<std::vector<double>>("parameters");
    QTest::addColumn<double>("start"); // first time; the range need not start at 0
    QTest::addColumn<double>("tolerance");
    QTest::newRow("parabola") << FitModel::Parabola << std::vector<double>{-4.905, 2.7, 0.35} << 0.0
                              << 1e-9;
    QTest::newRow("parabola, late range")
        << FitModel::Parabola << std::vector<double>{-4.905, 2.7, 0.35} << 4.0 << 1e-9;
    QTest::newRow("line") << FitModel::Line << std::vector<double>{1.75, -0.2} << 3.0 << 1e-9;
    QTest::newRow("sine") << FitModel::Sine << std::vector<double>{0.12, 7.5, -2.0, 0.4} << 0.0
                          << 1e-7;
    QTest::newRow("sine, late range")
        << FitModel::Sine << std::vector<double>{0.12, 7.5, 1.0, 0.4} << 2.0 << 1e-7;
    QTest::newRow("damped sine") << FitModel::DampedSine
                                 << std::vector<double>{0.2, 1.8, 9.0, 0.5, -0.1} << 0.5 << 1e-7;
    QTest::newRow("exponential decay")
        << FitModel::Exponential << std::vector<double>{1.5, 0.4, 0.2} << 0.0 << 1e-7;
    QTest::newRow("exponential growth, late range")
        << FitModel::Exponential << std::vector<double>{0.01, -0.8, 1.0} << 1.0 << 1e-7;
}

void AnalysisFitsTest::exactDataGiveExactParameters() {
    QFETCH(FitModel, model);
    QFETCH(std::vector<double>, parameters);
    QFETCH(double, start);
    QFETCH(double, tolerance);
    std::vector<double> t, y;
    for (int i = 0; i < 60; ++i) {
        t.push_back(start + i / 25.0 + (i % 3) * 0.004); // slightly irregular
        y.push_back(fitModelValue(model, parameters, t.back()));
    }
    const FitResult fit = fitCurve(model, t, y);
    QVERIFY2(fit.ok(), qPrintable(fit.error));
    QCOMPARE(fit.parameters.size(), parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i)
        QVERIFY2(std::fabs(fit.parameters[i] - parameters[i]) <=
                     tolerance * std::max(1.0, std::fabs(parameters[i])),
                 qPrintable(QStringLiteral("%1: %2 for %3")
                                .arg(fitParameterNames(model)[i])
                                .arg(fit.parameters[i], 0, 'g', 15)
                                .arg(parameters[i])));
    QVERIFY(fit.rmsResidual < 1e-9);
}

void AnalysisFitsTest::parabolaUncertaintyIsTheClosedForm() {
    // Evenly spaced: Var(a) = s²·180 / (h⁴·N(N²−1)(N²−4)).
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 0.003);
    const int n = 25;
    const double h = 0.04;
    std::vector<double> t, y;
    for (int i = 0; i < n; ++i) {
        t.push_back(0.2 + i * h);
        y.push_back(1 + 3 * t.back() - 4.9 * t.back() * t.back() + noise(random));
    }
    const FitResult fit = fitCurve(FitModel::Parabola, t, y);
    QVERIFY(fit.ok());
    double rss = 0;
    for (double r : fit.residuals)
        rss += r * r;
    const double s2 = rss / (n - 3);
    const double closed =
        std::sqrt(s2 * 180 / (std::pow(h, 4) * n * (n * n - 1.0) * (n * n - 4.0)));
    QVERIFY2(std::fabs(fit.uncertainties[0] - closed) < 1e-9 * closed,
             qPrintable(QStringLiteral("%1 against %2").arg(fit.uncertainties[0]).arg(closed)));
}

void AnalysisFitsTest::gravityUncertaintyMatchesTheSpreadOfDraws() {
    std::mt19937 random(2024);
    std::normal_distribution<double> noise(0, Throw::noisePixels / Throw::pixelsPerMetre);
    constexpr int kDraws = 2000;
    std::vector<double> g, u;
    std::vector<double> t(Throw::frames), y(Throw::frames);
    for (int draw = 0; draw < kDraws; ++draw) {
        for (int i = 0; i < Throw::frames; ++i) {
            t[i] = i * Throw::dt;
            y[i] = Throw::y0 + Throw::v0 * t[i] - Throw::g * t[i] * t[i] / 2 + noise(random);
        }
        const auto measured = gravityFromParabola(fitCurve(FitModel::Parabola, t, y), true);
        QVERIFY(measured);
        g.push_back(measured->value);
        u.push_back(measured->uncertainty);
    }
    const double observed = spread(g);
    const double reported = rms(u);
    qInfo("spread of g over %d draws %.5f m/s², reported u(g) %.5f m/s² (ratio %.4f)", kDraws,
          observed, reported, observed / reported);
    QVERIFY(std::fabs(observed / reported - 1) < 0.05);
    double mean = 0;
    for (double v : g)
        mean += v / kDraws;
    QVERIFY(std::fabs(mean - Throw::g) < 3 * observed / std::sqrt(double(kDraws)));

    // The axis pointing down turns the sign of a, not that of g.
    for (double& v : y)
        v = -v;
    QCOMPARE(gravityFromParabola(fitCurve(FitModel::Parabola, t, y), false)->value, g.back());
}

void AnalysisFitsTest::dampedOscillationFromTheAutomaticStart() {
    // A mass on a spring filmed by a phone at 60 per second over three
    // periods, 1000 px/m on the picture, clicked within 0.5 px; a new phase
    // for every seed.
    const double amplitude = 0.15, tau = 2.0, omega = 2 * kPi / 0.8, offset = 0.35;
    const double pixelsPerMetre = 1000;
    constexpr int kSeeds = 100;
    int good = 0;
    std::vector<double> omegas, taus, amplitudes, uOmega, uTau, uAmplitude;
    for (int seed = 0; seed < kSeeds; ++seed) {
        std::mt19937 random(seed);
        std::normal_distribution<double> noise(0, 0.5 / pixelsPerMetre);
        const double phase = std::uniform_real_distribution<double>(-kPi, kPi)(random);
        const std::vector<double> truth{amplitude, tau, omega, phase, offset};
        std::vector<double> t, y;
        for (int i = 0; i <= 144; ++i) {
            t.push_back(0.3 + i / 60.0);
            y.push_back(fitModelValue(FitModel::DampedSine, truth, t.back()) + noise(random));
        }
        const FitResult fit = fitCurve(FitModel::DampedSine, t, y);
        if (!fit.ok())
            continue;
        const bool close = std::fabs(fit.parameters[2] / omega - 1) < 0.01 &&
                           std::fabs(fit.parameters[1] / tau - 1) < 0.01;
        good += close ? 1 : 0;
        if (!close)
            continue;
        amplitudes.push_back(fit.parameters[0]);
        taus.push_back(fit.parameters[1]);
        omegas.push_back(fit.parameters[2]);
        uAmplitude.push_back(fit.uncertainties[0]);
        uTau.push_back(fit.uncertainties[1]);
        uOmega.push_back(fit.uncertainties[2]);
    }
    qInfo("%d of %d seeds: ω and τ within 1 %%; spread/uncertainty ω %.3f, τ %.3f, A %.3f", good,
          kSeeds, spread(omegas) / rms(uOmega), spread(taus) / rms(uTau),
          spread(amplitudes) / rms(uAmplitude));
    QVERIFY(good >= 99);
    // The non-linear uncertainties are honest too (100 draws: within 25 %),
    // the amplitude's after moving it to the clock's origin.
    QVERIFY(std::fabs(spread(omegas) / rms(uOmega) - 1) < 0.25);
    QVERIFY(std::fabs(spread(taus) / rms(uTau) - 1) < 0.25);
    QVERIFY(std::fabs(spread(amplitudes) / rms(uAmplitude) - 1) < 0.25);
}

void AnalysisFitsTest::degenerateInputGivesAFrenchMessage_data() {
    QTest::addColumn<FitModel>("model");
    QTest::addColumn<std::vector<double>>("t");
    QTest::addColumn<std::vector<double>>("y");
    QTest::addColumn<QString>("message");
    const std::vector<double> t{0, 0.04, 0.08, 0.12, 0.16, 0.2, 0.24};
    const std::vector<double> flat(t.size(), 0.25);
    const std::vector<double> varied{0.1, 0.3, 0.2, 0.5, 0.4, 0.1, 0.0};
    QTest::newRow("parabola, 3 points")
        << FitModel::Parabola << std::vector<double>{0, 1, 2} << std::vector<double>{1, 0, 1}
        << "il en faut au moins 4, la plage en compte 3";
    QTest::newRow("line, no point") << FitModel::Line << std::vector<double>{}
                                    << std::vector<double>{} << "Pas assez de points";
    QTest::newRow("damped sine, 5 points")
        << FitModel::DampedSine << std::vector<double>(t.begin(), t.begin() + 5)
        << std::vector<double>(varied.begin(), varied.begin() + 5) << "au moins 6";
    QTest::newRow("all times equal")
        << FitModel::Line << std::vector<double>(7, 1.5) << varied << "même abscisse";
    QTest::newRow("parabola on two times")
        << FitModel::Parabola << std::vector<double>{1, 1, 1, 2, 2, 2}
        << std::vector<double>{0, 0.1, 0.2, 1, 1.1, 1.2} << "Trop peu d'abscisses différentes";
    QTest::newRow("flat line for a sine") << FitModel::Sine << t << flat << "toutes égales";
    QTest::newRow("flat line, damped") << FitModel::DampedSine << t << flat << "toutes égales";
    QTest::newRow("flat line, exponential")
        << FitModel::Exponential << t << flat << "toutes égales";
    std::vector<double> withNan = varied;
    withNan[3] = std::nan("");
    QTest::newRow("not a number") << FitModel::Parabola << t << withNan << "pas un nombre";
    // A straight line has no time constant: the exponential drifts off.
    std::vector<double> straight;
    for (double v : t)
        straight.push_back(1 + 2 * v);
    QTest::newRow("exponential of a line") << FitModel::Exponential << t << straight << "converge";
}

void AnalysisFitsTest::degenerateInputGivesAFrenchMessage() {
    QFETCH(FitModel, model);
    QFETCH(std::vector<double>, t);
    QFETCH(std::vector<double>, y);
    QFETCH(QString, message);
    const FitResult fit = fitCurve(model, t, y);
    QVERIFY(!fit.ok());
    QVERIFY2(fit.error.contains(message), qPrintable(fit.error));
    QVERIFY(fit.parameters.empty() && fit.uncertainties.empty());
    QVERIFY(fitResultLines(fit, PhysicalUnit::seconds(), PhysicalUnit::metres()).isEmpty());
    QVERIFY(!gravityFromParabola(fit, true));
}

void AnalysisFitsTest::valuesFollowTheirUncertainty_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("uncertainty");
    QTest::addColumn<QString>("text"); // with a comma as separator
    QTest::newRow("g") << 9.7912 << 0.0213 << "9,79 ± 0,02";
    QTest::newRow("two digits when the first is 1") << -4.90512 << 0.00143 << "-4,9051 ± 0,0014";
    QTest::newRow("rounds up a power of ten") << 0.0123 << 0.0096 << "0,012 ± 0,010";
    QTest::newRow("large uncertainty") << 12345.6 << 321.0 << "12300 ± 300";
    QTest::newRow("small values") << 1.2345e-7 << 2e-9 << "(1,23 ± 0,02)E-7";
    QTest::newRow("small, rounding up") << 9.9996e-7 << 3e-10 << "(1,0000 ± 0,0003)E-6";
    QTest::newRow("zero, small uncertainty") << 0.0 << 2e-9 << "(0 ± 2)E-9";
    QTest::newRow("large values") << 3.4567e8 << 1.2e6 << "(3,457 ± 0,012)E+8";
    QTest::newRow("no uncertainty") << 2.5 << 0.0 << "2,500E+0";
}

void AnalysisFitsTest::valuesFollowTheirUncertainty() {
    QFETCH(double, value);
    QFETCH(double, uncertainty);
    QFETCH(QString, text);
    setDecimalSeparator(u',');
    QCOMPARE(valueWithUncertainty(value, uncertainty), text);
}

void AnalysisFitsTest::parameterUnits_data() {
    QTest::addColumn<FitModel>("model");
    QTest::addColumn<int>("xMetre");
    QTest::addColumn<int>("xSecond");
    QTest::addColumn<int>("yMetre");
    QTest::addColumn<int>("ySecond");
    QTest::addColumn<QStringList>("units");
    QTest::newRow("y(t) parabola")
        << FitModel::Parabola << 0 << 1 << 1 << 0 << QStringList{"m/s²", "m/s", "m"};
    QTest::newRow("vy(t) line") << FitModel::Line << 0 << 1 << 1 << -1
                                << QStringList{"m/s²", "m/s"};
    QTest::newRow("x(t) sine") << FitModel::Sine << 0 << 1 << 1 << 0
                               << QStringList{"m", "rad/s", "rad", "m"};
    QTest::newRow("vx(t) damped") << FitModel::DampedSine << 0 << 1 << 1 << -1
                                  << QStringList{"m/s", "s", "rad/s", "rad", "m/s"};
    QTest::newRow("y(x) parabola")
        << FitModel::Parabola << 1 << 0 << 1 << 0 << QStringList{"m⁻¹", "", "m"};
    QTest::newRow("ax(vx) exponential")
        << FitModel::Exponential << 1 << -1 << 1 << -2 << QStringList{"m/s²", "m/s", "m/s²"};
    // Before the scale is set, lengths are pixels.
    QTest::newRow("y(t) parabola, no scale")
        << FitModel::Parabola << 0 << 1 << 1 << 0 << QStringList{"px/s²", "px/s", "px"};
}

void AnalysisFitsTest::parameterUnits() {
    QFETCH(FitModel, model);
    QFETCH(int, xMetre);
    QFETCH(int, xSecond);
    QFETCH(int, yMetre);
    QFETCH(int, ySecond);
    QFETCH(QStringList, units);
    const QString length = units.join(QString()).contains(QLatin1String("px"))
                               ? QStringLiteral("px")
                               : QStringLiteral("m");
    QCOMPARE(fitParameterUnits(model, {xMetre, xSecond, length}, {yMetre, ySecond, length}), units);
}

void AnalysisFitsTest::gravityLineWithTheCalibration() {
    setDecimalSeparator(u',');
    // A 400 px ruler: √2·0,5/400 of every length.
    const auto relative = scaleRelativeUncertainty(400);
    QVERIFY(relative);
    QCOMPARE(gravityText({9.8123, 0.0213}, relative),
             QStringLiteral("g = 9,81 ± 0,02 m/s² (étalonnage : ± 0,017 m/s²)"));
    QCOMPARE(gravityText({9.8123, 0.0213}, std::nullopt), QStringLiteral("g = 9,81 ± 0,02 m/s²"));
    QVERIFY(!scaleRelativeUncertainty(0));

    FitResult fit;
    fit.model = FitModel::Parabola;
    fit.parameters = {-4.9012, 2.0, 0.5};
    fit.uncertainties = {0.0104, 0.02, 0.003};
    fit.rmsResidual = 0.00123;
    QCOMPARE(fitResultLines(fit, PhysicalUnit::seconds(), PhysicalUnit::metres()),
             (QStringList{"a = -4,901 ± 0,010 m/s²", "b = 2,00 ± 0,02 m/s", "c = 0,500 ± 0,003 m",
                          "Résidu quadratique moyen : 1,23E-3 m"}));
}

QTEST_APPLESS_MAIN(AnalysisFitsTest)
#include "analysis_fits.moc"
