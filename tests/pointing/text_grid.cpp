#include "pointing/text_grid.h"

#include <QtTest>

using traxilo::GridRect;
using traxilo::TextGrid;

class TextGridTest : public QObject {
    Q_OBJECT

private slots:
    void currentCellCallbackRunsOnRealChangesOnly();
    void selectionAnchorsAndCollapses();
    void fixedCellsAreNeverCurrent();
    void shrinkingDropsCellsAndPullsCurrentBack();
    void currentCellScrollsIntoView();
    // Moving to a column and a row at once, as a click on a cell does.
    void oneCallbackPerMove();
    void sameCellCollapsesTheRange();
};

void TextGridTest::currentCellCallbackRunsOnRealChangesOnly() {
    TextGrid grid(5, 10);
    int calls = 0;
    QPoint seen;
    grid.setCurrentCellCallback([&] {
        ++calls;
        seen = QPoint(grid.col(), grid.row());
    });
    grid.setCol(1); // already current
    grid.setRow(1);
    QCOMPARE(calls, 0);
    grid.setCol(3);
    QCOMPARE(calls, 1);
    QCOMPARE(seen, QPoint(3, 1)); // the callback sees the new state
    grid.setRow(7);
    QCOMPARE(calls, 2);
    grid.setSelection({1, 2, 4, 5});
    QCOMPARE(calls, 2); // a selection runs nothing
    grid.setCol(99);    // clamped to the last column, a real change
    QCOMPARE(grid.col(), 4);
    QCOMPARE(calls, 2); // 4 was already current after the selection
    grid.extendSelectionTo(2, 2);
    QCOMPARE(calls, 3);
}

void TextGridTest::selectionAnchorsAndCollapses() {
    TextGrid grid(6, 10);
    grid.setSelection({2, 3, 4, 8});
    QCOMPARE(grid.col(), 4); // (right, bottom) becomes current
    QCOMPARE(grid.row(), 8);
    QCOMPARE(grid.selection(), (GridRect{2, 3, 4, 8}));
    // The keyboard widens from the anchor, in either direction.
    grid.extendSelectionTo(1, 1);
    QCOMPARE(grid.selection(), (GridRect{1, 1, 2, 3}));
    // Moving the current cell collapses the range onto it.
    grid.setRow(5);
    QCOMPARE(grid.selection(), (GridRect{1, 5, 1, 5}));
}

void TextGridTest::fixedCellsAreNeverCurrent() {
    TextGrid grid(3, 4);
    grid.setCol(0);
    grid.setRow(0);
    QCOMPARE(grid.col(), 1);
    QCOMPARE(grid.row(), 1);
    grid.setSelection({0, 0, 2, 3});
    QCOMPARE(grid.selection(), (GridRect{1, 1, 2, 3}));
    grid.setLeftCol(0);
    QCOMPARE(grid.leftCol(), 1);
    // Cells outside the grid read empty and ignore writes.
    grid.setCell(3, 0, QStringLiteral("z"));
    grid.setCell(-1, 2, QStringLiteral("z"));
    QVERIFY(grid.cell(3, 0).isEmpty());
    QVERIFY(grid.cell(-1, 2).isEmpty());
}

void TextGridTest::shrinkingDropsCellsAndPullsCurrentBack() {
    TextGrid grid(7, 5);
    grid.setCell(6, 4, QStringLiteral("gone"));
    grid.setCell(2, 2, QStringLiteral("kept"));
    grid.setCol(6);
    grid.setRow(4);
    int calls = 0;
    grid.setCurrentCellCallback([&] { ++calls; });
    grid.setColCount(3);
    grid.setRowCount(3);
    QCOMPARE(grid.col(), 2);
    QCOMPARE(grid.row(), 2);
    QCOMPARE(grid.cell(2, 2), QStringLiteral("kept"));
    grid.setColCount(7);
    grid.setRowCount(5);
    QVERIFY(grid.cell(6, 4).isEmpty()); // dropped cells do not come back
    QCOMPARE(calls, 0);
}

void TextGridTest::currentCellScrollsIntoView() {
    TextGrid grid(19, 101);
    grid.setVisibleRowCount(10);
    grid.setVisibleColCount(4);
    grid.setRow(30);
    QCOMPARE(grid.topRow(), 21); // last visible row
    grid.setRow(25);
    QCOMPARE(grid.topRow(), 21); // already visible: no scroll
    grid.setRow(3);
    QCOMPARE(grid.topRow(), 3);
    grid.setCol(12);
    QCOMPARE(grid.leftCol(), 9);
    grid.setCol(1);
    QCOMPARE(grid.leftCol(), 1);
}

void TextGridTest::oneCallbackPerMove() {
    TextGrid grid(5, 10);
    int calls = 0;
    QPoint seen;
    grid.setCurrentCellCallback([&] {
        ++calls;
        seen = QPoint(grid.col(), grid.row());
    });
    grid.setCurrent(3, 7);
    QCOMPARE(calls, 1);
    QCOMPARE(seen, QPoint(3, 7)); // both already moved when the callback runs
    grid.setCurrent(0, 0);        // fixed cells are not selectable
    QCOMPARE(calls, 2);
    QCOMPARE(QPoint(grid.col(), grid.row()), QPoint(1, 1));
}

void TextGridTest::sameCellCollapsesTheRange() {
    TextGrid grid(5, 10);
    grid.setCurrent(2, 2);
    grid.extendSelectionTo(4, 5);
    int calls = 0;
    grid.setCurrentCellCallback([&] { ++calls; });
    grid.setCurrent(4, 5);
    QCOMPARE(calls, 0);
    QCOMPARE(grid.selection(), (GridRect{4, 5, 4, 5}));
}

QTEST_GUILESS_MAIN(TextGridTest)
#include "text_grid.moc"
