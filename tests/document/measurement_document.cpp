// The document computes what the table shows: times from each frame's own
// time, metres from picture pixels, both in the table's format.
#include "document/measurement_document.h"
#include "common/number_format.h"
#include "document/measurement_table_model.h"

#include <QSignalSpy>
#include <QtTest>

using namespace traxilo;

namespace {

DocumentClip clip(int frames, std::vector<long double> times = {}) {
    return {QStringLiteral("/clips/c.avi"), frames, QSize(640, 480),
            QStringLiteral("XVID"),         0.04L,  std::move(times)};
}

void put(MeasurementDocument& d, int frame, int point, QPointF p) {
    d.applyPositions({{frame, point, std::nullopt, PointPosition{p}}}, true);
}

} // namespace

class MeasurementDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(u'.'); }
    void times_data();
    void times();
    void metresFollowTheCalibration();
    void subPixelPositionsKeepTheirFraction();
    void pointsPerFrameKeepStylesDropPositions();
    void tableModelFollowsTheDocument();
};

void MeasurementDocumentTest::times_data() {
    QTest::addColumn<int>("origin");
    QTest::addColumn<double>("captureRate"); // 0: none
    QTest::addColumn<bool>("ownTimes");
    QTest::addColumn<QStringList>("expected"); // frames 0, 1, 2, 3
    QTest::newRow("even, origin 0")
        << 0 << 0.0 << false << QStringList{"0.000", "0.040", "0.080", "0.120"};
    QTest::newRow("origin on frame 2")
        << 2 << 0.0 << false << QStringList{"", "", "0.000", "0.040"};
    // Filmed at 100 images / s, played at 25: every time a quarter.
    QTest::newRow("slow motion") << 0 << 100.0 << false
                                 << QStringList{"0.000", "0.010", "0.020", "0.030"};
    QTest::newRow("own times") << 1 << 0.0 << true << QStringList{"", "0.000", "0.050", "0.080"};
}

void MeasurementDocumentTest::times() {
    QFETCH(int, origin);
    QFETCH(double, captureRate);
    QFETCH(bool, ownTimes);
    QFETCH(QStringList, expected);
    MeasurementDocument d;
    d.openClip(clip(4, ownTimes ? std::vector<long double>{0, 0.03L, 0.08L, 0.11L}
                                : std::vector<long double>{}));
    d.setTimeOrigin(origin);
    if (captureRate > 0)
        d.setCaptureRate(captureRate);
    for (int f = 0; f < 4; ++f)
        QCOMPARE(d.timeText(f), expected[f]);
    d.setTimeOrigin(99); // clamped to the last frame
    QCOMPARE(d.timeOrigin(), 3);
}

void MeasurementDocumentTest::metresFollowTheCalibration() {
    MeasurementDocument d;
    d.openClip(clip(20));
    d.setPointsPerFrame(2);
    put(d, 2, 1, QPointF(110, 80));
    put(d, 6, 2, QPointF(90, 120));
    Calibration c = d.calibration();
    QCOMPARE(c.Yo, 479.0); // origin on the bottom-left pixel
    c.Xo = 100;
    c.Yo = 100;
    c.sensitivity = 0.5L;
    d.setCalibration(c, QStringLiteral("5"));
    QCOMPARE(d.xText(2, 1), QStringLiteral(" 5.00E+0"));
    QCOMPARE(d.yText(2, 1), QStringLiteral(" 1.00E+1"));
    QCOMPARE(d.xText(6, 2), QStringLiteral("-5.00E+0"));
    c.signX = -1;
    c.signY = -1;
    c.Xo = 90;
    d.setCalibration(c, QStringLiteral("5"));
    QCOMPARE(d.xText(2, 1), QStringLiteral("-1.00E+1"));
    QCOMPARE(d.xText(6, 2), QStringLiteral(" 0.00E+0"));
    QCOMPARE(d.yText(6, 2), QStringLiteral(" 1.00E+1"));
    d.setXyDigits(5);
    QCOMPARE(d.yText(6, 2), QStringLiteral(" 1.0000E+1"));
    QVERIFY(d.xText(3, 1).isEmpty()); // nothing recorded there
}

void MeasurementDocumentTest::subPixelPositionsKeepTheirFraction() {
    MeasurementDocument d;
    d.openClip(clip(5));
    Calibration c = d.calibration();
    c.Xo = 0;
    c.Yo = 100;
    c.sensitivity = 0.01L;
    d.setCalibration(c, QStringLiteral("1"));
    put(d, 0, 1, QPointF(100.25, 50.75));
    const std::optional<FramePosition> m = d.metres(0, 1);
    QVERIFY(m);
    QCOMPARE(double(m->x), 1.0025);
    QCOMPARE(double(m->y), 0.4925);
    d.setXyDigits(5);
    QCOMPARE(d.xText(0, 1), QStringLiteral(" 1.0025E+0"));
    QCOMPARE(d.yText(0, 1), QStringLiteral(" 4.9250E-1"));
}

void MeasurementDocumentTest::pointsPerFrameKeepStylesDropPositions() {
    MeasurementDocument d;
    d.openClip(clip(10));
    d.setPointsPerFrame(3);
    QCOMPARE(d.variableNames(), (QStringList{"t", "x1", "y1", "x2", "y2", "x3", "y3"}));
    PointStyles s = d.styles();
    s.point(3).colour = Qt::red;
    d.setStyles(s, 2);
    put(d, 4, 3, QPointF(1, 1));
    put(d, 4, 1, QPointF(2, 2));
    d.setCurrentPoint(3);
    QVERIFY(d.hasPositionsAbove(2));
    d.setPointsPerFrame(2);
    QVERIFY(!d.hasPositionsAbove(2));
    QCOMPARE(d.positionCount(), 1);
    QCOMPARE(d.currentPoint(), 2);
    d.setPointsPerFrame(1);
    QCOMPARE(d.variableNames(), (QStringList{"t", "x", "y"}));
    d.setPointsPerFrame(3);
    QVERIFY(!d.position(4, 3));
    QCOMPARE(d.styles().point(3).colour, QColor(Qt::red));
    // A new clip empties the measurements and keeps the looks.
    d.openClip(clip(4));
    QCOMPARE(d.pointsPerFrame(), 1);
    QVERIFY(!d.hasPositions());
    QCOMPARE(d.markSize(), 2);
    QCOMPARE(d.styles().point(3).colour, QColor(Qt::red));
}

void MeasurementDocumentTest::tableModelFollowsTheDocument() {
    MeasurementDocument d;
    MeasurementTableModel model(&d);
    d.openClip(clip(6));
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("t(s)"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("y(m)"));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    d.applyPositions({{3, 1, std::nullopt, PointPosition{QPointF(4, 479), true}}}, true);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().value(0).toModelIndex().row(), 3);
    QCOMPARE(model.data(model.index(3, 1)).toString(), QStringLiteral(" 4.00E+0"));
    QCOMPARE(model.data(model.index(3, 2)).toString(), QStringLiteral(" 0.00E+0"));
    QVERIFY(model.data(model.index(3, 1), MeasurementTableModel::AutomaticRole).toBool());
    QVERIFY(model.data(model.index(2, 1)).toString().isEmpty());
    d.setTimeOrigin(2);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QString());
    QCOMPARE(model.data(model.index(3, 0)).toString(), QStringLiteral("0.040"));
    d.setPointsPerFrame(2);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.columnCount(), 5);
    QCOMPARE(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("x2(m)"));
}

QTEST_GUILESS_MAIN(MeasurementDocumentTest)
#include "measurement_document.moc"
