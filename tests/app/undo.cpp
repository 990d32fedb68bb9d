// "Annuler" and "Rétablir" in the window: Ctrl+Z and Ctrl+Y after each thing
// a user does to the measurements bring back the table, the fields and the
// picture exactly as they were. What each command changes in the document is
// tested without a window (tests/document/document_undo.cpp).
#include "app/main_window.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

using namespace traxilo;
using namespace traxilo::test;

namespace {

// Everything the window shows of the measurements.
struct Shown {
    QStringList table;
    QStringList fields; // distance, capture rate, t0, points per frame, mark size
    bool pointDrawn = true;
    QImage surface;
    explicit Shown(const TForm1& w)
        : table(tableCells(w)), fields{required<QLineEdit>(w, "edSi")->text(),
                                       required<QLineEdit>(w, "edCadencePrise")->text(),
                                       labelText(w, "lblt0"), labelText(w, "lblPointsPlan"),
                                       labelText(w, "lblTaillePoints")},
          pointDrawn(required<QCheckBox>(w, "chkBoxPtDed")->isChecked()),
          surface(surfaceImage(w).copy()) {}
    bool operator==(const Shown&) const = default;
};

// The first point of every frame 0..4, on a line across the picture.
QPoint initialClick(int frame) {
    return QPoint(20 + 10 * frame, 90 - 8 * frame);
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }
    void eachActionUndoneAndRedone_data();
    void eachActionUndoneAndRedone();
    void undoingAClickBringsBackItsFrameAndPoint();
    void undoingAClearingShowsItsFirstFrame();
    void commandsFollowTheHistory();

private:
    TForm1& w() { return *m_fixture->window; }
    void prepare(const QString& action); // what the user does before the change
    void act(const QString& action);
    void undoKey(Qt::Key key) {
        QApplication::setActiveWindow(&w()); // a dialog may have been the active one
        QTest::keyClick(&w(), key, Qt::ControlModifier);
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void UndoTest::init() {
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), "undo.avi");
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    for (int frame = 0; frame < 5; ++frame)
        clickSurface(w(), initialClick(frame)); // each click moves on to the next frame
    // The first frame: the clearings go back to the table's first row.
    showFrame(w(), 0);
    w().document().undoStack()->clear();
}

void UndoTest::prepare(const QString& action) {
    TForm1& win = w();
    auto* grid = required<StringGrid>(win, "StringGrid1");
    if (action == "Delete") {
        // x and y of frames 1 to 3 chosen: a click, then a shift-click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 2).center());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid->cellRect(2, 4).center());
    } else if (action == "go-to Delete") {
        clickSurface(win, initialClick(0), Qt::RightButton); // the mark of the frame shown
        QVERIFY(required<QAction>(win, "popUpMenuAtteindre")->isEnabled());
    } else if (action == "origin click" || action == "typed distance") {
        trigger(win, "popUpMnuModeEtalonner");
        clickBox(
            required<QRadioButton>(win, action == "origin click" ? "rbChxOrig" : "rbEtalonSimu"));
    }
}

void UndoTest::act(const QString& action) {
    TForm1& win = w();
    if (action == "click") {
        clickSurface(win, QPoint(77, 33));
    } else if (action.startsWith("clear")) {
        const char* button = action == "clear column" ? "Button0"
                             : action == "clear row"  ? "Button1"
                                                      : "Button2";
        m_fixture->seams.answerNext(true);
        required<QToolButton>(win, button)->click();
    } else if (action == "Delete") {
        m_fixture->seams.answerNext(true);
        QTest::keyClick(required<StringGrid>(win, "StringGrid1"), Qt::Key_Delete);
    } else if (action == "go-to Delete") {
        auto* dialog = required<QDialog>(win, "alleraDlg");
        runModal(
            dialog, [&win] { trigger(win, "popUpMenuAtteindre"); },
            [dialog] {
                auto* list = dialog->findChild<QTableWidget*>();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(0, 0)).center());
                QTest::keyClick(list, Qt::Key_Delete);
                dialog->accept();
            });
    } else if (action == "time origin") {
        auto* t0 = required<UpDown>(win, "udt0");
        QTest::mouseClick(t0->upButton(), Qt::LeftButton);
        QTest::mouseClick(t0->upButton(), Qt::LeftButton);
        QCoreApplication::processEvents(); // the release is taken after the click
    } else if (action == "origin click") {
        clickSurface(win, QPoint(60, 60));
    } else if (action == "typed distance") {
        auto* field = required<QLineEdit>(win, "edSi");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("2.5"));
        required<QWidget>(win, "PaintBox1")->setFocus(); // the field keeps Ctrl+Z for its text
    } else if (action == "points per frame") {
        QTest::mouseClick(required<UpDown>(win, "udPointsPlan")->upButton(), Qt::LeftButton);
    } else if (action == "mark size") {
        trigger(win, "mnuTaille5");
    } else if (action == "point hidden") {
        clickBox(required<QCheckBox>(win, "chkBoxPtDed"));
    } else if (action == "capture rate") {
        auto* field = required<QLineEdit>(win, "edCadencePrise");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("100"));
        required<QWidget>(win, "PaintBox1")->setFocus(); // the field keeps Ctrl+Z for its text
    }
}

void UndoTest::eachActionUndoneAndRedone_data() {
    QTest::addColumn<QString>("action");
    for (const char* name : {"click", "clear column", "clear row", "clear table", "Delete",
                             "go-to Delete", "time origin", "origin click", "typed distance",
                             "points per frame", "mark size", "point hidden", "capture rate"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void UndoTest::eachActionUndoneAndRedone() {
    QFETCH(QString, action);
    prepare(action);
    const Shown before(w());
    act(action);
    const Shown after(w());
    QVERIFY2(!(after == before), "the action changed nothing");
    QCOMPARE(w().document().undoStack()->count(), 1); // one step, however many keys

    undoKey(Qt::Key_Z);
    const Shown undone(w());
    QCOMPARE(undone.table, before.table);
    QCOMPARE(undone.fields, before.fields);
    QCOMPARE(undone.pointDrawn, before.pointDrawn);
    QVERIFY(undone.surface == before.surface);

    undoKey(Qt::Key_Y);
    const Shown redone(w());
    QCOMPARE(redone.table, after.table);
    QCOMPARE(redone.fields, after.fields);
    QCOMPARE(redone.pointDrawn, after.pointDrawn);
    if (action != "click") // the click moved on to the next frame, the redo does not
        QVERIFY(redone.surface == after.surface);
}

// The user sees what was undone and can click it again: its frame shown,
// its point current, its x cell chosen.
void UndoTest::undoingAClickBringsBackItsFrameAndPoint() {
    QTest::mouseClick(required<UpDown>(w(), "udPointsPlan")->upButton(), Qt::LeftButton);
    QTest::mouseClick(required<UpDown>(w(), "udPointNumero")->upButton(), Qt::LeftButton);
    showFrame(w(), 6);
    clickSurface(w(), QPoint(100, 40)); // point 2 of frame 6; on to frame 7
    QCOMPARE(frameShown(w()), 7);
    QTest::mouseClick(required<UpDown>(w(), "udPointNumero")->downButton(), Qt::LeftButton);
    showFrame(w(), 9);

    trigger(w(), "mnuAnnuler");
    QCOMPARE(frameShown(w()), 6);
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 6);
    QCOMPARE(w().document().currentPoint(), 2);
    QCOMPARE(labelText(w(), "lblPointNumero"), QStringLiteral("2"));
    const TextGrid* grid = required<StringGrid>(w(), "StringGrid1")->grid();
    QCOMPARE(QPoint(grid->col(), grid->row()), QPoint(3, 7));
    QVERIFY(!w().document().position(6, 2));
}

void UndoTest::undoingAClearingShowsItsFirstFrame() {
    m_fixture->seams.answerNext(true);
    required<QToolButton>(w(), "Button2")->click(); // the whole table
    showFrame(w(), 9);
    trigger(w(), "mnuAnnuler");
    QCOMPARE(frameShown(w()), 0);
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 0);
    QVERIFY(w().document().position(4, 1));
}

void UndoTest::commandsFollowTheHistory() {
    const auto enabled = [this] {
        QList<bool> on;
        for (const char* name : {"mnuAnnuler", "mnuRetablir"})
            on << required<QAction>(w(), name)->isEnabled();
        for (const char* name : {"bbtnAnnuler", "bbtnRetablir"})
            on << required<QToolButton>(w(), name)->isEnabled();
        return on;
    };
    QCOMPARE(enabled(), (QList<bool>{false, false, false, false}));
    clickSurface(w(), QPoint(70, 30));
    QCOMPARE(enabled(), (QList<bool>{true, false, true, false}));
    required<QToolButton>(w(), "bbtnAnnuler")->click();
    QCOMPARE(w().document().position(0, 1)->pixel, QPointF(initialClick(0)));
    QCOMPARE(enabled(), (QList<bool>{false, true, false, true}));
    required<QToolButton>(w(), "bbtnRetablir")->click();
    QCOMPARE(w().document().position(0, 1)->pixel, QPointF(70, 30));
    required<QToolButton>(w(), "bbtnAnnuler")->click();

    // Another clip starts a new history: nothing of the first can come back.
    const OpenedClip other = openGeneratedClip(*m_fixture, smallClipSpec(8), "undo2.avi");
    QVERIFY2(other.ok(), qPrintable(other.error));
    QCOMPARE(enabled(), (QList<bool>{false, false, false, false}));
    undoKey(Qt::Key_Y);
    QVERIFY(!w().document().hasPositions());
}

QTEST_MAIN(UndoTest)
#include "undo.moc"
