#include "geometry/scale_editing.h"
#include "common/number_format.h"
#include "geometry/calibration.h"
#include "geometry/pixel_conversion.h"
#include "geometry/scale_steps.h"

#include <QtTest>
#include <cmath>

using namespace traxilo;

class ScaleEditingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setDecimalSeparator(QLatin1Char('.')); }
    void distanceParse_data();
    void distanceParse();
    void leavingTheField_data();
    void leavingTheField();
    void identicalPointsAreRefused();
    void clickWithAnUnreadableDistance();
    void resetGivesOnePixelPerMetre();
    void stepTexts();
};

static Calibration threeFourFive() {
    Calibration c;
    c.p1 = QPoint(10, 10);
    c.p2 = QPoint(13, 14); // 5 pixels apart
    c.sensitivity = 7;
    return c;
}

void ScaleEditingTest::distanceParse_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("sensitivity");
    const QChar comma(QLatin1Char(','));
    const QChar stop(QLatin1Char('.'));
    QTest::newRow("comma locale, comma") << comma << "0,5" << true << 0.1;
    QTest::newRow("comma locale, exponent") << comma << "2,9E-2" << true << 0.0058;
    QTest::newRow("comma locale, small e and blanks") << comma << " 1,5e1 " << true << 3.0;
    QTest::newRow("comma locale, stop refused") << comma << "0.5" << false << 7.0;
    QTest::newRow("stop locale, stop") << stop << "0.5" << true << 0.1;
    QTest::newRow("stop locale, comma refused") << stop << "0,5" << false << 7.0;
    QTest::newRow("negative gives the same scale") << stop << "-0.5" << true << 0.1;
    QTest::newRow("zero refused") << stop << "0" << false << 7.0;
    QTest::newRow("zero with exponent refused") << comma << "-0,0E5" << false << 7.0;
    QTest::newRow("empty") << stop << "" << false << 7.0;
    QTest::newRow("letters") << stop << "abc" << false << 7.0;
    // Metres per pixel would underflow: every length 0, a session not read back.
    QTest::newRow("too small for a scale refused") << stop << "1E-4950" << false << 7.0;
}

void ScaleEditingTest::distanceParse() {
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, sensitivity);
    setDecimalSeparator(separator);
    Calibration c = threeFourFive();
    QString lastValid = QStringLiteral("previous");
    const DistanceOutcome out = applyDistanceText(c, text, lastValid, 3);
    QCOMPARE(out.valid, valid);
    QVERIFY(std::fabs(double(c.sensitivity) - sensitivity) < 1e-12);
    QCOMPARE(c.scaleDefined, valid);
    if (valid) {
        QCOMPARE(lastValid, text);
        QCOMPARE(out.colours, kDistanceValidColours);
        QCOMPARE(out.sensitivityText, affichSensibilites(c.sensitivity, 3));
    } else {
        QCOMPARE(lastValid, QStringLiteral("previous"));
        QCOMPARE(out.colours, kDistanceInvalidColours);
        QCOMPARE(out.sensitivityText, QStringLiteral("erreur ?\?!"));
    }
}

void ScaleEditingTest::leavingTheField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("invalid");
    QTest::addColumn<QString>("lastValid");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rounded") << "2,9E-2" << false << "1"
                             << " 2,90E-2";
    QTest::newRow("absolute value") << "-0,5" << false << "1"
                                    << " 5,00E-1";
    QTest::newRow("red field takes the last valid") << "x" << true << "-1,25"
                                                    << " 1,25E+0";
}

void ScaleEditingTest::leavingTheField() {
    QFETCH(QString, field);
    QFETCH(bool, invalid);
    QFETCH(QString, lastValid);
    QFETCH(QString, expected);
    setDecimalSeparator(QLatin1Char(','));
    QCOMPARE(distanceExitText(field, invalid, lastValid, 3), std::optional<QString>(expected));
    // The text written back is itself valid and gives the rounded distance's scale.
    Calibration c = threeFourFive();
    QString last;
    QVERIFY(applyDistanceText(c, expected, last, 3).valid);
}

void ScaleEditingTest::identicalPointsAreRefused() {
    setDecimalSeparator(QLatin1Char('.'));
    Calibration c = threeFourFive();
    const ScalePointOutcome out = scalePointClick(c, false, QPoint(10, 10), "1", 3);
    QVERIFY(out.identicalPoints);
    QCOMPARE(c.p1, QPoint(10, 10));
    QCOMPARE(c.p2, QPoint(13, 14));
    // The sensitivity comes again from the restored points.
    QVERIFY(out.recompute);
    QVERIFY(std::fabs(double(c.sensitivity) - 0.2) < 1e-15);

    const ScalePointOutcome moved = scalePointClick(c, true, QPoint(13, 24), "1", 3);
    QVERIFY(!moved.identicalPoints);
    QCOMPARE(c.p1, QPoint(13, 24));
    QVERIFY(std::fabs(double(c.sensitivity) - 0.1) < 1e-15);
    QCOMPARE(moved.sensitivityText, QStringLiteral(" 1.00E-1 m / pxl"));
}

void ScaleEditingTest::clickWithAnUnreadableDistance() {
    setDecimalSeparator(QLatin1Char('.'));
    Calibration c = threeFourFive();
    const ScalePointOutcome out = scalePointClick(c, true, QPoint(0, 0), "1,5", 3);
    QCOMPARE(c.p1, QPoint(0, 0)); // the point moves all the same
    QCOMPARE(double(c.sensitivity), 7.0);
    QVERIFY(!out.recompute);
    QCOMPARE(out.error,
             std::optional<QString>("'1,5' n'est pas une valeur en virgule flottante correcte"));
}

void ScaleEditingTest::resetGivesOnePixelPerMetre() {
    Calibration c = threeFourFive();
    c.Xo = 4;
    c.Yo = 5;
    c.signX = -1;
    c.scaleSegmentColour = Qt::red;
    initEchelle(c);
    QCOMPARE(c.p1, QPoint(1, 1));
    QCOMPARE(c.p2, QPoint(2, 2));
    QCOMPARE(double(c.sensitivity), 1.0);
    QCOMPARE(c.scaleSegmentColour, QColor(0, 128, 0));
    QCOMPARE(c.Xo, 4); // the frame is kept
    QCOMPARE(c.signX, -1);
    QCOMPARE(FormatSci(2, std::sqrt(2.0L)), QStringLiteral(" 1.41E+0"));
    QCOMPARE(affichSensibilites(c.sensitivity, 3), QStringLiteral(" 1.00E+0 m / pxl"));
    QVERIFY(!sensitivityFrom(QPoint(3, 3), QPoint(3, 3), 1));
    // 3-4-5 triangle; the sign of the distance is lost; a huge distance
    // stays finite instead of overflowing when squared.
    QCOMPARE(double(*sensitivityFrom(QPoint(0, 0), QPoint(3, 4), -0.5L)), 0.1);
    const long double huge = *sensitivityFrom(QPoint(0, 0), QPoint(3, 4), 5e3000L);
    QVERIFY(std::isfinite(huge));
    QCOMPARE(double(huge / 1e3000L), 1.0);
}

void ScaleEditingTest::stepTexts() {
    const StepsView idle = echEtapAff(0);
    QVERIFY(!idle.visible);
    for (const auto& label : idle.labels)
        QCOMPARE(label->background, kStepGrey);

    const StepsView first = echEtapAff(10);
    QVERIFY(first.visible);
    QCOMPARE(first.labels[0]->text, QStringLiteral("1 - Cliquez sur le clip pour désigner p1"));
    QCOMPARE(first.labels[0]->background, kStepCurrent);
    QCOMPARE(first.labels[1]->background, kStepPale);

    const StepsView distance = echEtapAff(30);
    QVERIFY(!distance.labels[0] && !distance.labels[1]); // left as they are
    QCOMPARE(distance.labels[2]->text, QStringLiteral("3 - Entrez la distance p1p2 en mètre(s)"));
    QCOMPARE(echEtapAff(20).labels[2]->text, QStringLiteral("3 - Modifiez la valeur réelle\r") +
                                                 QString(32, QLatin1Char(' ')) +
                                                 QStringLiteral("de la distance p1p2"));
    QCOMPARE(echEtapAff(40).labels[3]->text, QStringLiteral("4 - Choisissez la couleur\r") +
                                                 QString(35, QLatin1Char(' ')) +
                                                 QStringLiteral("du segment p1p2"));
    const StepsView after = echEtapAff(41);
    QVERIFY(!after.labels[2]);
    QCOMPARE(after.labels[3]->background, kStepPale);
    const StepsView other = echEtapAff(7);
    QVERIFY(other.visible);
    for (const auto& label : other.labels)
        QVERIFY(!label);
}

QTEST_GUILESS_MAIN(ScaleEditingTest)
#include "scale_editing.moc"
