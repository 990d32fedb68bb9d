#include "geometry/pixel_conversion.h"
#include "common/number_format.h"
#include "geometry/calibration.h"

#include <QtTest>

using namespace traxilo;

class PixelConversionTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void conversion_data();
    void conversion();
    void readoutsAfterOpening();
    void zeroOnAnAxisHasNoSign();
    void backToPixelsRoundsHalvesToEven_data();
    void backToPixelsRoundsHalvesToEven();
    void backToPixelsRefusesNoScale();
    void scalePointLabelsFollowTheFrame();
    void onlyThePictureCounts_data();
    void onlyThePictureCounts();
    void cursorsAndButtons();
};

void PixelConversionTest::conversion_data() {
    QTest::addColumn<int>("signX");
    QTest::addColumn<int>("signY");
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("Y");
    QTest::addColumn<int>("pX");
    QTest::addColumn<int>("pY");
    // Origin (100, 50); the pixel lies right of and below it.
    QTest::newRow("x right, y up") << 1 << 1 << 130 << 70 << 30 << -20;
    QTest::newRow("x left, y up") << -1 << 1 << 130 << 70 << -30 << -20;
    QTest::newRow("x right, y down") << 1 << -1 << 130 << 70 << 30 << 20;
    QTest::newRow("x left, y down") << -1 << -1 << 130 << 70 << -30 << 20;
    QTest::newRow("left of and above, x left, y down") << -1 << -1 << 40 << 10 << 60 << -40;
}

void PixelConversionTest::conversion() {
    QFETCH(int, signX);
    QFETCH(int, signY);
    QFETCH(int, X);
    QFETCH(int, Y);
    QFETCH(int, pX);
    QFETCH(int, pY);
    Calibration c;
    c.Xo = 100;
    c.Yo = 50;
    c.signX = signX;
    c.signY = signY;
    c.sensitivity = 0.0025L;
    const FramePosition p = convertPixel(c, X, Y);
    QCOMPARE(p.pX, pX);
    QCOMPARE(p.pY, pY);
    QCOMPARE(double(p.x), double(pX * 0.0025L));
    QCOMPARE(double(p.y), double(pY * 0.0025L));
    // Back to the pixel it came from, whatever the orientation.
    QCOMPARE(metresToPixel(c, p.x, p.y), std::optional<QPoint>(QPoint(X, Y)));
}

void PixelConversionTest::readoutsAfterOpening() {
    Calibration c;
    resetForOpenedClip(c, 240);
    QCOMPARE(c.Yo, 239.0);
    PointerReadouts r = pointerReadouts(c, 0, 239, 3);
    QCOMPARE(r.xPixels, QStringLiteral("pX= 0"));
    QCOMPARE(r.yPixels, QStringLiteral("pY= 0"));
    r = pointerReadouts(c, 0, 238, 3);
    QCOMPARE(r.yPixels, QStringLiteral("pY= 1"));
    QCOMPARE(r.yMetres, QStringLiteral("y=  1.00E+0")); // blank of FormatSci after "= "
    r = pointerReadouts(c, 1500, 239, 3);
    QCOMPARE(r.xMetres, QStringLiteral("x=  1.50E+3"));
}

void PixelConversionTest::zeroOnAnAxisHasNoSign() {
    Calibration c;
    c.Xo = 10;
    c.Yo = 10;
    c.signX = -1;
    c.signY = -1;
    c.sensitivity = 0.01L;
    const PointerReadouts r = pointerReadouts(c, 10, 10, 3);
    QCOMPARE(r.xMetres, QStringLiteral("x=  0.00E+0"));
    QCOMPARE(r.yMetres, QStringLiteral("y=  0.00E+0"));
    QCOMPARE(zeroMetreReadout(QLatin1Char('x'), 3), QStringLiteral("x=  0.00E+0"));
}

void PixelConversionTest::backToPixelsRoundsHalvesToEven_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("X");
    // Sensitivity 2 m per pixel: x / 2 pixels from the origin at 0.
    QTest::newRow("0.5 to 0") << 1.0 << 0;
    QTest::newRow("1.5 to 2") << 3.0 << 2;
    QTest::newRow("2.5 to 2") << 5.0 << 2;
    QTest::newRow("-0.5 to 0") << -1.0 << 0;
    QTest::newRow("-1.5 to -2") << -3.0 << -2;
    QTest::newRow("1.4 to 1") << 2.8 << 1;
}

void PixelConversionTest::backToPixelsRoundsHalvesToEven() {
    QFETCH(double, x);
    QFETCH(int, X);
    Calibration c;
    c.sensitivity = 2;
    QCOMPARE(metresToPixel(c, x, 0)->x(), X);
}

void PixelConversionTest::backToPixelsRefusesNoScale() {
    Calibration c;
    c.sensitivity = 0; // a distance of 0 typed
    QVERIFY(!metresToPixel(c, 1, 1));
    c.sensitivity = 1e-30L;
    QVERIFY(!metresToPixel(c, 1, 1)); // beyond any int
}

void PixelConversionTest::scalePointLabelsFollowTheFrame() {
    Calibration c;
    c.Xo = 5;
    c.Yo = 100;
    c.p1 = QPoint(15, 90);
    c.p2 = QPoint(0, 120);
    ScalePointLabels l = MaJlblP(c);
    QCOMPARE(l.p1X, QStringLiteral("pX= 10"));
    QCOMPARE(l.p1Y, QStringLiteral("pY= 10"));
    QCOMPARE(l.p2X, QStringLiteral("pX= -5"));
    QCOMPARE(l.p2Y, QStringLiteral("pY= -20"));
    c.signX = -1;
    c.signY = -1;
    l = MaJlblP(c);
    QCOMPARE(l.p1X, QStringLiteral("pX= -10"));
    QCOMPARE(l.p2Y, QStringLiteral("pY= 20"));
}

void PixelConversionTest::onlyThePictureCounts_data() {
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("Y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("top-left") << 0 << 0 << true;
    QTest::newRow("bottom-right") << 319 << 239 << true;
    QTest::newRow("one right") << 320 << 10 << false;
    QTest::newRow("one below") << 10 << 240 << false;
    QTest::newRow("left of it") << -1 << 10 << false;
    QTest::newRow("above it") << 10 << -1 << false;
}

void PixelConversionTest::onlyThePictureCounts() {
    QFETCH(int, X);
    QFETCH(int, Y);
    QFETCH(bool, inside);
    QCOMPARE(insideDisplayedPicture(X, Y, 320, 240), inside);
}

void PixelConversionTest::cursorsAndButtons() {
    QCOMPARE(originCursor(1, 1, 1), std::optional<int>(111));
    QCOMPARE(originCursor(1, -1, 1), std::optional<int>(112));
    QCOMPARE(originCursor(2, 1, -1), std::optional<int>(213));
    QCOMPARE(originCursor(2, -1, -1), std::optional<int>(214));
    QVERIFY(!originCursor(3, 1, 1));
    QCOMPARE(orientationSigns(1), std::optional<QPoint>(QPoint(-1, 1)));
    QCOMPARE(orientationSigns(2), std::optional<QPoint>(QPoint(1, -1)));
    QVERIFY(!orientationSigns(4));
}

QTEST_GUILESS_MAIN(PixelConversionTest)
#include "pixel_conversion.moc"
