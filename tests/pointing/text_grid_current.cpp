// Moving the current cell to a column and a row at once, as a click on a
// cell does: one callback for the move, none when nothing moves.
#include "pointing/text_grid.h"

#include <QTest>

using namespace traxilo;

class TextGridCurrent : public QObject {
    Q_OBJECT
private slots:
    void oneCallbackPerMove();
    void sameCellCollapsesTheRange();
};

void TextGridCurrent::oneCallbackPerMove() {
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

void TextGridCurrent::sameCellCollapsesTheRange() {
    TextGrid grid(5, 10);
    grid.setCurrent(2, 2);
    grid.extendSelectionTo(4, 5);
    int calls = 0;
    grid.setCurrentCellCallback([&] { ++calls; });
    grid.setCurrent(4, 5);
    QCOMPARE(calls, 0);
    QCOMPARE(grid.selection(), (GridRect{4, 5, 4, 5}));
}

QTEST_MAIN(TextGridCurrent)
#include "text_grid_current.moc"
