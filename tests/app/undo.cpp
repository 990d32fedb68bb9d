// "Annuler" and "Rétablir": every change of the measurements is undone and
// redone, the tables and the marks on the picture exactly as they were.
#include "app/dialogs/dialogs.h"
#include "app/dialogs/display_size_dialog.h"
#include "app/dialogs/goto_dialog.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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

struct Shown {
    QStringList pixels, metres;
    QImage surface;
    QString distance;
    int percent = 0;
    explicit Shown(TForm1& w)
        : pixels(gridCells(w.tables.PixelTable)), metres(gridCells(w.tables.MeasureTable)),
          distance(w.edSi->text()), percent(w.displaySize.displayPercent) {
        w.Drawpoints();
        surface = w.PaintBox1->image().copy();
    }
    bool operator==(const Shown&) const = default;
};

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }
    void eachChangeUndoneAndRedone_data();
    void eachChangeUndoneAndRedone();
    void commandsFollowTheStack();

private:
    TForm1& w() { return *m_fixture->window; }
    void prepare(const QString& which); // what the user does before the change
    void change(const QString& which);
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void UndoTest::init() {
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), "undo.avi");
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    for (int i = 0; i < 5; ++i)
        clickSurface(w(), QPoint(20 + 10 * i, 90 - 8 * i));
    w().mpPositionner(2);
    w().setTableRowsToCurrentFrame();
    w().undoStack->clear();
}

void UndoTest::prepare(const QString& which) {
    TForm1& win = w();
    if (which == "go-to delete") {
        win.tables.MeasureTable.setCurrent(1, 4); // the line chosen shows its frame
    } else if (which == "origin") {
        win.popUpMnuModeEtalonnerClick();
        clickBox(win.rbChxOrig);
    } else if (which == "distance") {
        win.popUpMnuModeEtalonnerClick();
        clickBox(win.rbEtalonSimu);
    }
}

void UndoTest::change(const QString& which) {
    TForm1& win = w();
    if (which == "point") {
        clickSurface(win, QPoint(77, 33));
    } else if (which == "column") {
        m_fixture->seams.answerNext(true);
        win.Button0->click();
    } else if (which == "row") {
        m_fixture->seams.answerNext(true);
        win.Button1->click();
    } else if (which == "table") {
        m_fixture->seams.answerNext(true);
        win.Button2->click();
    } else if (which == "delete key") {
        win.tables.MeasureTable.setSelection({1, 2, 2, 4});
        m_fixture->seams.answerNext(true);
        QTest::keyClick(win.StringGrid1, Qt::Key_Delete);
    } else if (which == "go-to delete") {
        win.alleraDeletePressed();
    } else if (which == "time origin") {
        QTest::mouseClick(win.udt0->upButton(), Qt::LeftButton);
        QTest::mouseClick(win.udt0->upButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
    } else if (which == "origin") {
        clickSurface(win, QPoint(60, 60));
    } else if (which == "distance") {
        win.edSi->setFocus();
        win.edSi->selectAll();
        QTest::keyClicks(win.edSi, QStringLiteral("2.5"));
        clickBox(win.rbChxOrig); // leaves the field
    } else if (which == "points per frame") {
        QTest::mouseClick(win.udPointsPlan->upButton(), Qt::LeftButton);
    } else if (which == "display size") {
        m_fixture->seams.answerNext(true); // the table will be emptied
        TtailleImaBox* box = win.dialogs->tailleImaBox;
        runModal(
            box, [&win] { win.bbtnIma->click(); },
            [box] {
                box->setPosition(150);
                box->OKBtn->click();
            });
        QCOMPARE(win.displaySize.displayPercent, 150);
    }
}

void UndoTest::eachChangeUndoneAndRedone_data() {
    QTest::addColumn<QString>("which");
    for (const char* name :
         {"point", "column", "row", "table", "delete key", "go-to delete", "time origin", "origin",
          "distance", "points per frame", "display size"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void UndoTest::eachChangeUndoneAndRedone() {
    QFETCH(QString, which);
    prepare(which);
    const Shown before(w());
    change(which);
    const Shown after(w());
    QVERIFY2(!(after == before), "the change changed nothing");
    QCOMPARE(w().undoStack->count(), 1);

    QApplication::setActiveWindow(&w()); // a dialog may have been the active one
    QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w().undoStack->index(), 0);
    const Shown undone(w());
    QCOMPARE(undone.pixels, before.pixels);
    QCOMPARE(undone.metres, before.metres);
    QCOMPARE(undone.distance, before.distance);
    QCOMPARE(undone.percent, before.percent);
    QVERIFY(undone.surface == before.surface);

    QTest::keyClick(&w(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w().undoStack->index(), 1);
    const Shown redone(w());
    QCOMPARE(redone.pixels, after.pixels);
    QCOMPARE(redone.metres, after.metres);
    QCOMPARE(redone.percent, after.percent);
    QVERIFY(redone.surface.size() == after.surface.size());
}

void UndoTest::commandsFollowTheStack() {
    QVERIFY(!w().mnuAnnuler->isEnabled());
    QVERIFY(!w().bbtnAnnuler->isEnabled());
    clickSurface(w(), QPoint(70, 30));
    QVERIFY(w().mnuAnnuler->isEnabled());
    QVERIFY(w().bbtnAnnuler->isEnabled());
    QVERIFY(!w().bbtnRetablir->isEnabled());
    w().bbtnAnnuler->click();
    QVERIFY(w().bbtnRetablir->isEnabled());
    QVERIFY(w().mnuRetablir->isEnabled());
    // Opening another clip starts a new history.
    const OpenedClip other = openGeneratedClip(*m_fixture, smallClipSpec(8), "undo2.avi");
    QVERIFY2(other.ok(), qPrintable(other.error));
    QVERIFY(!w().mnuAnnuler->isEnabled());
    QVERIFY(!w().mnuRetablir->isEnabled());
}

QTEST_MAIN(UndoTest)
#include "undo.moc"
