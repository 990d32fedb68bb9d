// The table's selection and clearing rules, on the grid alone.
#include "pointing/table_selection.h"
#include "common/number_format.h"
#include "pointing/grid_routines.h"

#include <QFontMetrics>
#include <QtTest>

using namespace traxilo;

constexpr int kFrames = 20;

namespace {
TextGrid threePoints() {
    TextGrid g;
    layoutMeasureGrid(g, kFrames, 3);
    return g;
}
} // namespace

class TableSelectionTest : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void selectionOnRelease_data();
    void selectionOnRelease();
    void clearingsTakeWholePoints_data();
    void clearingsTakeWholePoints();
};

void TableSelectionTest::layout() {
    TextGrid g;
    layoutMeasureGrid(g, kFrames, 1);
    const QFont font;
    setMeasureColumnWidths(g, font, QStringLiteral("0.760"), 3);
    layoutMeasureGrid(g, kFrames, 3);
    QCOMPARE(g.colCount(), 7);
    QCOMPARE(g.rowCount(), kFrames + 1);
    QCOMPARE(g.colWidth(6), g.colWidth(2)); // new points as wide as the first
    const QFontMetrics fm(font);
    QVERIFY(g.colWidth(0) >= fm.horizontalAdvance(QStringLiteral("0.7600")));
    QVERIFY(g.colWidth(0) >= fm.horizontalAdvance(QStringLiteral("t(s)")) + 2 * kTimeCellMargin);
    QVERIFY(g.colWidth(1) >= fm.horizontalAdvance(FormatSci(3, 0)));
    QVERIFY(g.colWidth(1) >= fm.horizontalAdvance(QStringLiteral("x9(m)")) + 2 * kXYCellMargin);
}

void TableSelectionTest::selectionOnRelease_data() {
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

void TableSelectionTest::selectionOnRelease() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QRect, selection);
    const std::optional<GridRect> got = releaseSelection(threePoints(), col, row);
    QCOMPARE(got.has_value(), !selection.isNull());
    if (got)
        QCOMPARE(QRect(QPoint(got->left, got->top), QPoint(got->right, got->bottom)), selection);
}

void TableSelectionTest::clearingsTakeWholePoints_data() {
    QTest::addColumn<int>("command"); // 0 Delete, 1 go-to Delete, 2 column, 3 row, 4 table
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<QPoint>("current"); // col, row
    QTest::addColumn<QRect>("cleared");  // x: points, y: frames (0-based)
    QTest::addColumn<QString>("question");
    QTest::newRow("Delete on y of point 2")
        << 0 << QRect(QPoint(4, 5), QPoint(4, 6)) << QPoint(4, 6)
        << QRect(QPoint(2, 4), QPoint(2, 5)) << kClearRangeQuestion;
    QTest::newRow("Delete from y1 to x2")
        << 0 << QRect(QPoint(2, 5), QPoint(3, 5)) << QPoint(3, 5)
        << QRect(QPoint(1, 4), QPoint(2, 4)) << kClearRangeQuestion;
    QTest::newRow("go-to Delete, no question")
        << 1 << QRect(QPoint(4, 9), QPoint(4, 9)) << QPoint(4, 9)
        << QRect(QPoint(2, 8), QPoint(2, 8)) << QString();
    QTest::newRow("column of y3") << 2 << QRect() << QPoint(6, 8)
                                  << QRect(QPoint(3, 0), QPoint(3, kFrames - 1))
                                  << kClearColumnQuestion;
    QTest::newRow("row 6") << 3 << QRect() << QPoint(3, 6) << QRect(QPoint(1, 5), QPoint(3, 5))
                           << kClearRowQuestion;
    QTest::newRow("table") << 4 << QRect() << QPoint(3, 6)
                           << QRect(QPoint(1, 0), QPoint(3, kFrames - 1)) << kClearTableQuestion;
}

void TableSelectionTest::clearingsTakeWholePoints() {
    QFETCH(int, command);
    QFETCH(QRect, selection);
    QFETCH(QPoint, current);
    QFETCH(QRect, cleared);
    QFETCH(QString, question);
    TextGrid g = threePoints();
    g.setCurrent(current.x(), current.y());
    if (!selection.isNull())
        g.setSelection({selection.left(), selection.top(), selection.right(), selection.bottom()});
    const ClearRequest q = command == 0   ? deleteKeyClear(g)
                           : command == 1 ? gotoDeleteClear(g)
                           : command == 2 ? columnClear(g)
                           : command == 3 ? rowClear(g)
                                          : tableClear(g);
    QCOMPARE(q.question, question);
    QCOMPARE(q.ask, !question.isEmpty());
    const PointRange r = pointsOf(q.range);
    QCOMPARE(QRect(QPoint(r.firstPoint, r.firstFrame), QPoint(r.lastPoint, r.lastFrame)), cleared);
}

QTEST_MAIN(TableSelectionTest)
#include "table_selection.moc"
