#include "pointing/measure_tables.h"
#include "common/number_format.h"
#include "geometry/calibration.h"
#include "pointing/grid_routines.h"
#include "pointing/style_table.h"

#include <QFontMetrics>
#include <QtTest>

using namespace traxilo;

// A clip of 20 frames at 25 frames per second.
constexpr int kFrames = 20;
constexpr long double kPeriod = 0.04L;

class MeasureTablesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setDecimalSeparator(QLatin1Char('.')); }
    void openingLaysOutOnePoint();
    void openingKeepsChosenStyles();
    void pointsPerFrame();
    void recomputationFollowsTheFrame();
    void recomputationSkipsMissingPixels();
    void timeOriginRewritesTimeColumns();
    void precisionChanges_data();
    void precisionChanges();
    void selectionOnRelease_data();
    void selectionOnRelease();
    void deleteKeyWidensToWholePoints_data();
    void deleteKeyWidensToWholePoints();
    void clearingButtons();
    void silentClearAsksOnce();
    void occupiedTable();

private:
    static void record(MeasureTables& t, int point, int row, int X, int Y) {
        t.PixelTable.setCell(2 * point - 1, row, QString::number(X));
        t.PixelTable.setCell(2 * point, row, QString::number(Y));
    }
};

void MeasureTablesTest::openingLaysOutOnePoint() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    for (const TextGrid* g : {&t.PixelTable, &t.MeasureTable}) {
        QCOMPARE(g->colCount(), 3);
        QCOMPARE(g->rowCount(), kFrames + 1);
        QCOMPARE(g->row(), 1);
    }
    QCOMPARE(t.PixelTable.cell(0, 0), QStringLiteral("t"));
    QCOMPARE(t.PixelTable.cell(1, 0), QStringLiteral("x"));
    QCOMPARE(t.PixelTable.cell(2, 0), QStringLiteral("y"));
    QCOMPARE(t.MeasureTable.cell(0, 0), QStringLiteral("t(s)"));
    QCOMPARE(t.MeasureTable.cell(1, 0), QStringLiteral("x(m)"));
    QCOMPARE(t.MeasureTable.cell(2, 0), QStringLiteral("y(m)"));
    QCOMPARE(t.PixelTable.cell(0, 1), QStringLiteral("0"));
    QCOMPARE(t.PixelTable.cell(0, kFrames), QString::number(kFrames - 1));
    QCOMPARE(t.MeasureTable.cell(0, 1), QStringLiteral("0.000"));
    QCOMPARE(t.MeasureTable.cell(0, 2), QStringLiteral("0.040"));
    QCOMPARE(t.MeasureTable.cell(0, kFrames), QStringLiteral("0.760"));
    QCOMPARE(t.tFormat(), QStringLiteral("0.000"));
    QVERIFY(!t.silentClear);
    // Columns are wide enough for their probe texts in the table's font.
    const QFontMetrics fm(t.gridFont);
    QCOMPARE(t.MeasureTable.colWidth(1), fm.horizontalAdvance(FormatSci(3, 0)));
    QCOMPARE(t.MeasureTable.colWidth(0), fm.horizontalAdvance(QStringLiteral("0.8000")));
    // Styles of the axes and point 1.
    QCOMPARE(t.StyleTable.colCount(), 2);
    QCOMPARE(t.StyleTable.cell(0, 0), QStringLiteral("16777215"));
    QCOMPARE(t.StyleTable.cell(0, 2), QStringLiteral("1"));
    QCOMPARE(t.StyleTable.cell(1, 2), QStringLiteral("0"));
}

void MeasureTablesTest::openingKeepsChosenStyles() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    t.nbPointsPlan(3);
    setColour(t.StyleTable, 1, QColor(255, 0, 0));
    setDrawn(t.StyleTable, 0, false);
    record(t, 2, 4, 10, 10);
    t.openClip(5, kPeriod);
    QCOMPARE(t.StyleTable.colCount(), 2);
    QCOMPARE(t.StyleTable.cell(1, 0), QStringLiteral("255"));
    QVERIFY(!styleOf(t.StyleTable, 0).drawn);
    QCOMPARE(t.pointsPerFrame(), 1);
    QVERIFY(!t.tableauOccupe());
    QCOMPARE(colourFromText(QStringLiteral("16711680")), std::optional<QColor>(QColor(0, 0, 255)));
    QVERIFY(!colourFromText(QStringLiteral("blue")));
}

void MeasureTablesTest::pointsPerFrame() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    int clicks = 0;
    t.MeasureTable.setCurrentCellCallback([&] { ++clicks; });
    t.nbPointsPlan(3);
    QCOMPARE(t.MeasureTable.colCount(), 7);
    QCOMPARE(t.PixelTable.cell(5, 0), QStringLiteral("x3"));
    QCOMPARE(t.MeasureTable.cell(2, 0), QStringLiteral("y1(m)"));
    QCOMPARE(t.MeasureTable.col(), 5); // the table moves to the last point
    QCOMPARE(clicks, 1);
    QCOMPARE(t.MeasureTable.colWidth(6), t.MeasureTable.colWidth(2));
    QCOMPARE(t.StyleTable.colCount(), 4);
    QCOMPARE(t.StyleTable.cell(3, 1), QStringLiteral("1"));

    t.choosePoint(3);
    QCOMPARE(t.currentPoint(), 3);
    t.nbPointsPlan(1);
    QCOMPARE(t.currentPoint(), 1); // brought back within 1..n
    QCOMPARE(t.MeasureTable.colCount(), 3);
    QCOMPARE(t.MeasureTable.cell(1, 0), QStringLiteral("x(m)"));
    QCOMPARE(t.PixelTable.cell(2, 0), QStringLiteral("y"));
    t.nbPointsPlan(12);
    QCOMPARE(t.pointsPerFrame(), 9);
    QCOMPARE(t.PixelTable.colCount(), 19);
}

void MeasureTablesTest::recomputationFollowsTheFrame() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    t.nbPointsPlan(2);
    record(t, 1, 3, 110, 80);
    record(t, 2, 7, 90, 120);
    Calibration c;
    c.Xo = 100;
    c.Yo = 100;
    c.sensitivity = 0.5L;
    t.ActualGrid(c);
    QCOMPARE(t.MeasureTable.cell(1, 3), QStringLiteral(" 5.00E+0"));
    QCOMPARE(t.MeasureTable.cell(2, 3), QStringLiteral(" 1.00E+1"));
    QCOMPARE(t.MeasureTable.cell(3, 7), QStringLiteral("-5.00E+0"));
    QCOMPARE(t.MeasureTable.cell(4, 7), QStringLiteral("-1.00E+1"));
    c.signX = -1;
    c.signY = -1;
    c.Xo = 90;
    t.ActualGrid(c);
    QCOMPARE(t.MeasureTable.cell(1, 3), QStringLiteral("-1.00E+1"));
    QCOMPARE(t.MeasureTable.cell(3, 7), QStringLiteral(" 0.00E+0"));
    QCOMPARE(t.MeasureTable.cell(4, 7), QStringLiteral(" 1.00E+1"));
    QCOMPARE(t.PixelTable.cell(1, 3), QStringLiteral("110")); // pixels untouched
}

void MeasureTablesTest::recomputationSkipsMissingPixels() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    t.MeasureTable.setCell(1, 2, QStringLiteral("typed"));
    record(t, 1, 5, 4, 4);
    t.PixelTable.setCell(1, 6, QStringLiteral("7")); // x whose y was erased
    Calibration c;
    t.ActualGrid(c);
    QCOMPARE(t.MeasureTable.cell(1, 2), QStringLiteral("typed")); // no pixel: left alone
    QCOMPARE(t.MeasureTable.cell(1, 5), QStringLiteral(" 4.00E+0"));
    QCOMPARE(t.MeasureTable.cell(1, 6), QStringLiteral(" 7.00E+0"));
    QVERIFY(t.MeasureTable.cell(2, 6).isEmpty());
    // Rows after the half-filled one are still recomputed.
    record(t, 1, 9, 1, 0);
    c.sensitivity = 2;
    t.ActualGrid(c);
    QCOMPARE(t.MeasureTable.cell(1, 9), QStringLiteral(" 2.00E+0"));
    QCOMPARE(t.MeasureTable.cell(1, 5), QStringLiteral(" 8.00E+0"));
}

void MeasureTablesTest::timeOriginRewritesTimeColumns() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    record(t, 1, 2, 3, 4);
    t.MeasureTable.setCell(1, 2, QStringLiteral(" 3.00E+0"));
    t.setTimeOrigin(5);
    for (int r = 1; r < 5; ++r) {
        QVERIFY(t.PixelTable.cell(0, r).isEmpty());
        QVERIFY(t.MeasureTable.cell(0, r).isEmpty());
    }
    QCOMPARE(t.PixelTable.cell(0, 5), QStringLiteral("0"));
    QCOMPARE(t.MeasureTable.cell(0, 5), QStringLiteral("0.000"));
    QCOMPARE(t.MeasureTable.cell(0, 7), QStringLiteral("0.080"));
    QCOMPARE(t.PixelTable.cell(0, kFrames), QString::number(kFrames - 5));
    QCOMPARE(t.MeasureTable.cell(1, 2), QStringLiteral(" 3.00E+0")); // x, y never change
    QCOMPARE(t.PixelTable.cell(1, 2), QStringLiteral("3"));
    // The recomputation leaves rows before the origin without a time.
    t.ActualGrid(Calibration{});
    QVERIFY(t.MeasureTable.cell(0, 4).isEmpty());
    t.setTimeOrigin(0); // clamped to the first frame
    QCOMPARE(t.MeasureTable.cell(0, 1), QStringLiteral("0.000"));
    t.setTimeOrigin(kFrames + 5);
    QCOMPARE(t.timeOrigin(), kFrames);
}

void MeasureTablesTest::precisionChanges_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("distance"); // empty: the field keeps its text
    QTest::newRow("whole seconds, one digit") << 0 << 1 << "2"
                                              << " 1E+0"
                                              << "2"
                                              << " 2E+0";
    QTest::newRow("one decimal, three digits") << 1 << 3 << "2.4"
                                               << " 1.23E+0"
                                               << "1.41"
                                               << " 1.41E+0";
    QTest::newRow("six decimals, five digits") << 6 << 5 << "2.440000"
                                               << " 1.2346E+0"
                                               << "1.4142"
                                               << " 1.4142E+0";
    // Fewer digits than the distance has would change the scale itself.
    QTest::newRow("one digit would round the distance") << 3 << 1 << "2.440"
                                                        << " 1E+0"
                                                        << "1.41421356"
                                                        << "";
    QTest::newRow("three digits would round the distance") << 3 << 3 << "2.440"
                                                           << " 1.23E+0"
                                                           << " 1.4142E+0"
                                                           << "";
}

void MeasureTablesTest::precisionChanges() {
    QFETCH(int, decimals);
    QFETCH(int, digits);
    QFETCH(QString, time);
    QFETCH(QString, x);
    QFETCH(QString, typed);
    QFETCH(QString, distance);
    MeasureTables t;
    t.openClip(62, kPeriod); // last row: 2.44 s
    record(t, 1, 1, 1, 0);
    Calibration c;
    c.sensitivity = 1.23456L;
    t.setTimeDecimals(decimals, c);
    QCOMPARE(t.MeasureTable.cell(0, 62), time);
    QCOMPARE(t.MeasureTable.cell(1, 1), QStringLiteral(" 1.23E+0")); // recomputed, same digits
    const std::optional<QString> field = t.setXYDigits(digits, c, typed);
    QCOMPARE(t.MeasureTable.cell(1, 1), x);
    QCOMPARE(field, distance.isEmpty() ? std::nullopt : std::optional<QString>(distance));
    const QFontMetrics fm(t.gridFont);
    // Each column holds its values with a digit to spare, and its header.
    const int xy = t.MeasureTable.colWidth(2);
    QVERIFY(xy >= fm.horizontalAdvance(FormatSci(digits, 0)));
    QVERIFY(xy >= fm.horizontalAdvance(QStringLiteral("y9(m)")) + 2 * kXYCellMargin);
    const int col0 = t.MeasureTable.colWidth(0);
    QVERIFY(col0 >= fm.horizontalAdvance(time + QLatin1Char('0')));
    QVERIFY2(col0 >= fm.horizontalAdvance(QStringLiteral("t(s)")) + 2 * kTimeCellMargin,
             qPrintable(QString::number(col0)));
    QVERIFY(!t.setXYDigits(digits, c, QStringLiteral("??")));
}

void MeasureTablesTest::selectionOnRelease_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QRect>("selection"); // left, top, right, bottom as x1, y1, x2, y2
    QTest::newRow("corner: whole table") << 0 << 0 << QRect(QPoint(1, 1), QPoint(6, 20));
    QTest::newRow("header of y2") << 4 << 0 << QRect(QPoint(3, 1), QPoint(4, 20));
    QTest::newRow("header of x1") << 1 << 0 << QRect(QPoint(1, 1), QPoint(2, 20));
    QTest::newRow("time cell: whole row") << 0 << 7 << QRect(QPoint(1, 7), QPoint(6, 7));
    QTest::newRow("data cell") << 5 << 9 << QRect(QPoint(5, 9), QPoint(5, 9));
    QTest::newRow("outside") << 7 << 3 << QRect();
}

void MeasureTablesTest::selectionOnRelease() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QRect, selection);
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    t.nbPointsPlan(3);
    const std::optional<GridRect> got = t.releaseSelection(col, row);
    if (selection.isNull()) {
        QVERIFY(!got);
        return;
    }
    QVERIFY(got);
    QCOMPARE(QRect(QPoint(got->left, got->top), QPoint(got->right, got->bottom)), selection);
}

void MeasureTablesTest::deleteKeyWidensToWholePoints_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wideLeft");
    QTest::addColumn<int>("wideRight");
    QTest::newRow("y of point 2") << 4 << 4 << 3 << 4;
    QTest::newRow("y1 to x2") << 2 << 3 << 1 << 4;
    QTest::newRow("x of point 3") << 5 << 5 << 5 << 6;
}

void MeasureTablesTest::deleteKeyWidensToWholePoints() {
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, wideLeft);
    QFETCH(int, wideRight);
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    t.nbPointsPlan(3);
    for (int p = 1; p <= 3; ++p)
        for (int r = 1; r <= kFrames; ++r)
            record(t, p, r, p, r);
    t.MeasureTable.setSelection({left, 5, right, 6});
    const ClearRequest q = t.deleteKeyClear();
    QCOMPARE(q.question, kClearRangeQuestion);
    QVERIFY(q.ask);
    t.applyClear(q);
    for (int c = 1; c <= 6; ++c) {
        const bool cleared = c >= wideLeft && c <= wideRight;
        QCOMPARE(t.PixelTable.isEmpty(c, 5), cleared);
        QCOMPARE(t.PixelTable.isEmpty(c, 6), cleared);
        QVERIFY(!t.PixelTable.isEmpty(c, 4) && !t.PixelTable.isEmpty(c, 7));
    }
    QCOMPARE(t.MeasureTable.col(), wideLeft);
    QCOMPARE(t.MeasureTable.row(), 5);
    // The go-to list's Delete also takes whole points, without a question.
    t.MeasureTable.setSelection({4, 9, 4, 9});
    const ClearRequest g = t.gotoDeleteClear();
    QVERIFY(!g.ask);
    t.applyClear(g);
    QVERIFY(t.PixelTable.isEmpty(3, 9) && t.PixelTable.isEmpty(4, 9));
    QVERIFY(!t.PixelTable.isEmpty(5, 9));
}

void MeasureTablesTest::clearingButtons() {
    MeasureTables t;
    t.openClip(kFrames, kPeriod);
    t.nbPointsPlan(2);
    for (int p = 1; p <= 2; ++p)
        for (int r = 1; r <= kFrames; ++r)
            record(t, p, r, 1, 1);
    QList<QPoint> clicked;
    t.MeasureTable.setCurrentCellCallback(
        [&] { clicked << QPoint(t.MeasureTable.col(), t.MeasureTable.row()); });

    t.PixelTable.setCol(4);
    t.PixelTable.setRow(8);
    t.MeasureTable.setRow(8);
    ClearRequest column = t.columnClear();
    QCOMPARE(column.range, (GridRect{3, 1, 4, kFrames}));
    QCOMPARE(column.question, kClearColumnQuestion);
    QVERIFY(!column.redrawFrame); // the frame shown
    t.applyClear(column);
    QVERIFY(t.PixelTable.isEmpty(3, 1) && t.PixelTable.isEmpty(4, kFrames));
    QVERIFY(!t.PixelTable.isEmpty(1, 1));
    QCOMPARE(t.PixelTable.cell(0, 3), QStringLiteral("2")); // time column untouched
    QCOMPARE(t.MeasureTable.cell(0, 3), QStringLiteral("0.080"));
    QCOMPARE(clicked.last(), QPoint(3, 1));

    t.PixelTable.setRow(6);
    const ClearRequest row = t.rowClear();
    QCOMPARE(row.range, (GridRect{1, 6, 4, 6}));
    t.applyClear(row);
    QVERIFY(t.PixelTable.isEmpty(1, 6));
    QVERIFY(!t.PixelTable.isEmpty(1, 5) && !t.PixelTable.isEmpty(1, 7));

    // Answering no: the range is only highlighted, the current cell its corner.
    const ClearRequest all = t.tableClear();
    QCOMPARE(all.redrawFrame, std::optional<int>(0));
    t.MeasureTable.setSelection(all.range);
    QCOMPARE(t.MeasureTable.col(), 4);
    QCOMPARE(t.MeasureTable.row(), kFrames);
    QVERIFY(t.tableauOccupe());
    t.applyClear(all);
    QVERIFY(!t.tableauOccupe());
    QCOMPARE(t.MeasureTable.cell(0, kFrames), QStringLiteral("0.760"));
    QCOMPARE(clicked.last(), QPoint(1, 1));
}

void MeasureTablesTest::silentClearAsksOnce() {
    MeasureTables t;
    t.silentClear = true;
    QVERIFY(!t.tableClear().ask);
    t.applyClear(t.tableClear());
    QVERIFY(!t.silentClear);
    QVERIFY(t.tableClear().ask);
    QVERIFY(t.columnClear().ask && t.rowClear().ask);
}

void MeasureTablesTest::occupiedTable() {
    MeasureTables t;
    QVERIFY(!t.tableauOccupe()); // no clip
    t.openClip(kFrames, kPeriod);
    QVERIFY(!t.tableauOccupe());
    t.PixelTable.setCell(2, 4, QStringLiteral("5")); // a y alone is not a point
    QVERIFY(!t.tableauOccupe());
    t.PixelTable.setCell(1, kFrames, QStringLiteral("5"));
    QVERIFY(t.tableauOccupe());
}

QTEST_MAIN(MeasureTablesTest)
#include "measure_tables.moc"
