#include "pointing/recording.h"
#include "common/number_format.h"
#include "geometry/calibration.h"
#include "pointing/measure_tables.h"

#include <QtTest>

using namespace traxilo;

Q_DECLARE_METATYPE(traxilo::MarkUpdate)

constexpr int kFrames = 10;

class RecordingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void writesBothTablesAtTheFrameShown();
    void automaticAdvance_data();
    void automaticAdvance();
    void reclickingRedraws();
    void clicksOutsideRecordNothing_data();
    void clicksOutsideRecordNothing();
    void clickThroughAFrame();
    void recordedRowStaysInView();

private:
    static ClickContext click(int X, int Y, int frame, bool h = true, bool v = true) {
        return ClickContext{X, Y, 320, 240, frame, h, v};
    }
};

void RecordingTest::writesBothTablesAtTheFrameShown() {
    MeasureTables t;
    t.openClip(kFrames, 0.04L);
    Calibration c;
    resetForOpenedClip(c, 240);
    c.sensitivity = 0.01L;
    const RecordPlan plan = recordPoint(t, c, click(25, 189, 3));
    QVERIFY(plan.recorded);
    QCOMPARE(plan.row, 4);
    QCOMPARE(t.PixelTable.cell(1, 4), QStringLiteral("25"));
    QCOMPARE(t.PixelTable.cell(2, 4), QStringLiteral("189"));
    QCOMPARE(t.MeasureTable.cell(1, 4), QStringLiteral(" 2.50E-1"));
    QCOMPARE(t.MeasureTable.cell(2, 4), QStringLiteral(" 5.00E-1"));
    QCOMPARE(t.MeasureTable.cell(0, 4), QStringLiteral("0.120")); // time untouched
    QCOMPARE(t.PixelTable.cell(0, 4), QStringLiteral("3"));
}

void RecordingTest::automaticAdvance_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("h");
    QTest::addColumn<bool>("v");
    QTest::addColumn<int>("nextFrame"); // -1: stays
    QTest::addColumn<int>("row");       // MeasureTable's current row afterwards
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("point");
    QTest::addColumn<MarkUpdate>("mark");
    const auto drawNew = MarkUpdate::DrawNewMark;
    QTest::newRow("H, more points: next point")
        << 3 << 1 << 2 << true << true << -1 << 3 << 3 << 2 << drawNew;
    QTest::newRow("H, last point, V: next frame, point 1")
        << 3 << 3 << 2 << true << true << 3 << 4 << 1 << 1 << drawNew;
    QTest::newRow("H, last point, no V: stays")
        << 3 << 3 << 2 << true << false << -1 << 3 << 5 << 3 << drawNew;
    QTest::newRow("H, last point, last frame: stays")
        << 3 << 3 << kFrames - 1 << true << true << -1 << kFrames << 5 << 3 << drawNew;
    QTest::newRow("V only: same point, next frame")
        << 3 << 2 << 2 << false << true << 3 << 4 << 3 << 2 << drawNew;
    QTest::newRow("V only, last frame: stays")
        << 3 << 2 << kFrames - 1 << false << true << -1 << kFrames << 3 << 2 << drawNew;
    QTest::newRow("neither") << 3 << 1 << 2 << false << false << -1 << 3 << 1 << 1 << drawNew;
    QTest::newRow("one point, H still read")
        << 1 << 1 << 0 << true << true << 1 << 2 << 1 << 1 << drawNew;
    QTest::newRow("one point, H off")
        << 1 << 1 << 0 << false << true << 1 << 2 << 1 << 1 << drawNew;
}

void RecordingTest::automaticAdvance() {
    QFETCH(int, points);
    QFETCH(int, current);
    QFETCH(int, frame);
    QFETCH(bool, h);
    QFETCH(bool, v);
    QFETCH(int, nextFrame);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, point);
    QFETCH(MarkUpdate, mark);
    MeasureTables t;
    t.openClip(kFrames, 0.04L);
    t.nbPointsPlan(points);
    t.choosePoint(current);
    t.MeasureTable.setRow(frame + 1); // the table follows the frame shown
    int clicks = 0;
    t.MeasureTable.setCurrentCellCallback([&] { ++clicks; });
    const RecordPlan plan = recordPoint(t, Calibration{}, click(5, 5, frame, h, v));
    QCOMPARE(plan.nextFrame.value_or(-1), nextFrame);
    QCOMPARE(plan.mark, mark);
    applyRecordPlan(t, plan);
    QCOMPARE(t.MeasureTable.row(), row);
    QCOMPARE(t.MeasureTable.col(), col);
    QCOMPARE(t.currentPoint(), point);
    QCOMPARE(t.PixelTable.row(), row); // both tables aligned
    QCOMPARE(t.PixelTable.col(), col);
    QCOMPARE(clicks,
             int(plan.newRow.has_value() && row != frame + 1) + int(col != 2 * current - 1));
}

void RecordingTest::reclickingRedraws() {
    MeasureTables t;
    t.openClip(kFrames, 0.04L);
    t.nbPointsPlan(2);
    t.choosePoint(1);
    RecordPlan first = recordPoint(t, Calibration{}, click(5, 5, 4, false, false));
    QVERIFY(!first.refilled);
    const RecordPlan again = recordPoint(t, Calibration{}, click(9, 8, 4, false, false));
    QVERIFY(again.refilled);
    QCOMPARE(again.mark, MarkUpdate::Redraw); // the old mark must vanish
    QCOMPARE(t.PixelTable.cell(1, 5), QStringLiteral("9"));
    QCOMPARE(t.MeasureTable.cell(2, 5), QStringLiteral("-8.00E+0"));
    // Refilled and moving on: the new frame is drawn whole.
    const RecordPlan moving = recordPoint(t, Calibration{}, click(1, 1, 4, false, true));
    QCOMPARE(moving.mark, MarkUpdate::Drawpoints);
    QCOMPARE(moving.nextFrame, std::optional<int>(5));
}

void RecordingTest::clicksOutsideRecordNothing_data() {
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("Y");
    QTest::addColumn<int>("frame");
    QTest::newRow("one beyond the right edge") << 320 << 10 << 0;
    QTest::newRow("one beyond the bottom edge") << 10 << 240 << 0;
    QTest::newRow("left of the picture") << -1 << 10 << 0;
    QTest::newRow("above the picture") << 10 << -3 << 0;
    QTest::newRow("no frame shown yet") << 10 << 10 << -1;
    QTest::newRow("frame past the table") << 10 << 10 << kFrames;
}

void RecordingTest::clicksOutsideRecordNothing() {
    QFETCH(int, X);
    QFETCH(int, Y);
    QFETCH(int, frame);
    MeasureTables t;
    t.openClip(kFrames, 0.04L);
    const RecordPlan plan = recordPoint(t, Calibration{}, click(X, Y, frame));
    QVERIFY(!plan.recorded);
    QCOMPARE(plan.mark, MarkUpdate::None);
    QVERIFY(!t.tableauOccupe());
    QCOMPARE(t.PixelTable.cell(1, 0), QStringLiteral("x")); // header intact
    MeasureTables closed;
    QVERIFY(!recordPoint(closed, Calibration{}, click(10, 10, 0)).recorded);
}

void RecordingTest::clickThroughAFrame() {
    // The default use: both switches on, 3 points, frame after frame.
    MeasureTables t;
    t.openClip(kFrames, 0.04L);
    t.nbPointsPlan(3);
    t.choosePoint(1);
    int frame = 0;
    for (int i = 0; i < 7; ++i) {
        const RecordPlan plan = recordPoint(t, Calibration{}, click(10 + i, 20, frame));
        if (plan.nextFrame)
            frame = *plan.nextFrame;
        applyRecordPlan(t, plan);
    }
    QCOMPARE(frame, 2);
    QCOMPARE(t.PixelTable.cell(5, 1), QStringLiteral("12"));
    QCOMPARE(t.PixelTable.cell(1, 2), QStringLiteral("13"));
    QCOMPARE(t.PixelTable.cell(1, 3), QStringLiteral("16"));
    QCOMPARE(t.currentPoint(), 2);
    QCOMPARE(t.MeasureTable.col(), 3);
}

void RecordingTest::recordedRowStaysInView() {
    MeasureTables t;
    t.openClip(100, 0.04L);
    t.nbPointsPlan(9);
    t.choosePoint(9);
    t.MeasureTable.setVisibleRowCount(10);
    t.MeasureTable.setVisibleColCount(4);
    t.MeasureTable.setLeftCol(15);
    const RecordPlan plan = recordPoint(t, Calibration{}, click(1, 1, 39));
    applyRecordPlan(t, plan);
    QCOMPARE(t.MeasureTable.row(), 41);
    QVERIFY(t.MeasureTable.topRow() <= 40 && t.MeasureTable.topRow() + 10 > 41);
    QCOMPARE(t.MeasureTable.leftCol(), 1); // back to point 1, never the time column
    QCOMPARE(t.PixelTable.topRow(), t.MeasureTable.topRow());
    QCOMPARE(t.PixelTable.leftCol(), t.MeasureTable.leftCol());
}

QTEST_MAIN(RecordingTest)
#include "recording.moc"
