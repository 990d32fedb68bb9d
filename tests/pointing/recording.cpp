#include "pointing/recording.h"
#include "pointing/table_selection.h"

#include <QtTest>

using namespace traxilo;

Q_DECLARE_METATYPE(traxilo::MarkUpdate)

constexpr int kFrames = 10;

class RecordingTest : public QObject {
    Q_OBJECT

private slots:
    void automaticAdvance_data();
    void automaticAdvance();
    void reclickingRedraws();
    void clicksOutsideRecordNothing_data();
    void clicksOutsideRecordNothing();
    void recordedRowStaysInView();

private:
    static ClickContext click(double X, double Y, int frame, int points = 1, int current = 1,
                              bool h = true, bool v = true) {
        ClickContext c;
        c.pixel = QPointF(X, Y);
        c.picture = QSize(320, 240);
        c.frameCount = kFrames;
        c.currentFrame = frame;
        c.pointsPerFrame = points;
        c.currentPoint = current;
        c.autoH = h;
        c.autoV = v;
        return c;
    }
    static TextGrid grid(int frames, int points, int row, int col) {
        TextGrid g;
        layoutMeasureGrid(g, frames, points);
        g.setRow(row);
        g.setCol(col);
        return g;
    }
};

void RecordingTest::automaticAdvance_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("h");
    QTest::addColumn<bool>("v");
    QTest::addColumn<int>("nextFrame"); // -1: stays
    QTest::addColumn<int>("row");       // the table's current row afterwards
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
    // The table follows the frame shown and the current point.
    TextGrid t = grid(kFrames, points, frame + 1, 2 * current - 1);
    int clicks = 0;
    t.setCurrentCellCallback([&] { ++clicks; });
    const RecordPlan plan = planRecording(click(5, 5, frame, points, current, h, v));
    QVERIFY(plan.recorded);
    QCOMPARE(plan.point, current);
    QCOMPARE(plan.row, frame + 1);
    QCOMPARE(plan.nextFrame.value_or(-1), nextFrame);
    QCOMPARE(plan.mark, mark);
    applyRecordPlan(t, plan);
    QCOMPARE(t.row(), row);
    QCOMPARE(t.col(), col);
    QCOMPARE(plan.newPoint.value_or(current), point);
    QCOMPARE(clicks,
             int(plan.newRow.has_value() && row != frame + 1) + int(col != 2 * current - 1));
}

void RecordingTest::reclickingRedraws() {
    ClickContext c = click(9, 8, 4, 2, 1, false, false);
    QCOMPARE(planRecording(c).mark, MarkUpdate::DrawNewMark);
    c.alreadyRecorded = true;
    const RecordPlan again = planRecording(c);
    QVERIFY(again.refilled);
    QCOMPARE(again.mark, MarkUpdate::Redraw); // the old mark must vanish
    // Refilled and moving on: the new frame is drawn whole.
    c.autoV = true;
    const RecordPlan moving = planRecording(c);
    QCOMPARE(moving.mark, MarkUpdate::Drawpoints);
    QCOMPARE(moving.nextFrame, std::optional<int>(5));
}

void RecordingTest::clicksOutsideRecordNothing_data() {
    QTest::addColumn<double>("X");
    QTest::addColumn<double>("Y");
    QTest::addColumn<int>("frame");
    QTest::newRow("one beyond the right edge") << 320.0 << 10.0 << 0;
    QTest::newRow("a fraction beyond the bottom edge") << 10.0 << 240.0 << 0;
    QTest::newRow("left of the picture") << -0.5 << 10.0 << 0;
    QTest::newRow("above the picture") << 10.0 << -3.0 << 0;
    QTest::newRow("no frame shown yet") << 10.0 << 10.0 << -1;
    QTest::newRow("frame past the clip") << 10.0 << 10.0 << kFrames;
}

void RecordingTest::clicksOutsideRecordNothing() {
    QFETCH(double, X);
    QFETCH(double, Y);
    QFETCH(int, frame);
    const RecordPlan plan = planRecording(click(X, Y, frame));
    QVERIFY(!plan.recorded);
    QCOMPARE(plan.mark, MarkUpdate::None);
    ClickContext closed = click(10, 10, 0);
    closed.frameCount = 0;
    QVERIFY(!planRecording(closed).recorded);
}

void RecordingTest::recordedRowStaysInView() {
    TextGrid t = grid(100, 9, 40, 17);
    t.setVisibleRowCount(10);
    t.setVisibleColCount(4);
    t.setLeftCol(15);
    ClickContext c = click(1, 1, 39, 9, 9);
    c.frameCount = 100;
    applyRecordPlan(t, planRecording(c));
    QCOMPARE(t.row(), 41);
    QVERIFY(t.topRow() <= 40 && t.topRow() + 10 > 41);
    QCOMPARE(t.leftCol(), 1); // back to point 1, never the time column
}

QTEST_MAIN(RecordingTest)
#include "recording.moc"
