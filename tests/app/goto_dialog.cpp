// The go-to dialog: a right click on a drawn mark finds its points, in
// order; a line chosen shows its frame and point; Delete erases that point,
// x and y together, without a question.
#include "app/dialogs/goto_dialog.h"
#include "app/dialogs/dialogs.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "pointing/style_table.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace traxilo;
using namespace traxilo::test;

namespace {

// The lines of the list as "frame/time/point".
QStringList lines(const TalleraDlg& dialog) {
    QStringList result;
    const QTableWidget* grid = dialog.stringGridAller;
    for (int r = 0; r < grid->rowCount(); ++r) {
        result << grid->item(r, 0)->text() + '/' + grid->item(r, 1)->text() + '/' +
                      grid->item(r, 2)->text();
    }
    return result;
}

} // namespace

class GotoDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() {
        if (m_fixture) {
            m_fixture->window->PopupMenu1->hide();
        }
        m_fixture.reset();
    }

    void aClickOnADrawnMarkFindsIt_data();
    void aClickOnADrawnMarkFindsIt();
    void pointsInFrameThenPointOrder();
    void choosingALineAndDelete();
    void clicksThatChangeNothing();

private:
    TForm1& w() { return *m_fixture->window; }
    TalleraDlg& dialog() { return *w().dialogs->alleraDlg; }
    // Records point `point` of frame `frame` (0-based) at `pixel`.
    void record(int frame, int point, QPoint pixel) {
        w().mpPositionner(frame);
        w().setTableRowsToCurrentFrame();
        w().udPointNumero->setPosition(point);
        w().udPointNumeroClick();
        clickSurface(w(), pixel);
    }
    void rightClick(QPoint pixel) {
        clickSurface(w(), pixel, Qt::RightButton);
        w().PopupMenu1->hide();
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void GotoDialogTest::init() {
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, smallClipSpec(12), QStringLiteral("goto_dialog.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    w().chkBoxAutoV->setChecked(false);
    w().chkBoxAutoH->setChecked(false);
}

void GotoDialogTest::aClickOnADrawnMarkFindsIt_data() {
    QTest::addColumn<int>("size"); // as the user sees it, 1..5
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("found");
    QTest::newRow("size 1, the pixel itself") << 1 << QPoint(0, 0) << true << true;
    QTest::newRow("size 1, a pixel beside") << 1 << QPoint(1, 0) << true << false;
    QTest::newRow("size 2, a corner of the mark") << 2 << QPoint(1, -1) << true << true;
    QTest::newRow("size 2, one pixel outside") << 2 << QPoint(0, 2) << true << false;
    QTest::newRow("size 5, a corner") << 5 << QPoint(-4, 4) << true << true;
    QTest::newRow("size 5, one pixel outside") << 5 << QPoint(5, 0) << true << false;
    QTest::newRow("hidden marks are not found") << 2 << QPoint(0, 0) << false << false;
}

void GotoDialogTest::aClickOnADrawnMarkFindsIt() {
    QFETCH(int, size);
    QFETCH(QPoint, offset);
    QFETCH(bool, drawn);
    QFETCH(bool, found);
    record(3, 1, QPoint(50, 40));
    w().mnuTaille[size - 1]->trigger();
    if (!drawn) {
        QTest::mouseClick(w().chkBoxPtDed, Qt::LeftButton, Qt::NoModifier,
                          QPoint(6, w().chkBoxPtDed->height() / 2));
    }
    rightClick(QPoint(50, 40) + offset);
    QCOMPARE(w().popUpMenuAtteindre->isEnabled(), found);
    QCOMPARE(lines(dialog()), found ? QStringList{"4/0.120/1"} : QStringList{});
}

void GotoDialogTest::pointsInFrameThenPointOrder() {
    w().udPointsPlan->setPosition(2);
    w().udPointsPlanClick();
    record(8, 1, QPoint(30, 30));
    record(3, 2, QPoint(30, 30));
    record(3, 1, QPoint(30, 31)); // the marks overlap: both found
    rightClick(QPoint(30, 30));
    QCOMPARE(lines(dialog()), (QStringList{"4/0.120/1", "4/0.120/2", "9/0.320/1"}));
}

void GotoDialogTest::choosingALineAndDelete() {
    w().udPointsPlan->setPosition(2);
    w().udPointsPlanClick();
    record(2, 2, QPoint(70, 50));
    record(6, 2, QPoint(70, 50));
    record(6, 1, QPoint(20, 20));
    w().mpPositionner(0);
    rightClick(QPoint(70, 50));
    QVERIFY(w().popUpMenuAtteindre->isEnabled());

    TalleraDlg* d = &dialog();
    runModal(
        d, [this] { w().popUpMenuAtteindre->trigger(); },
        [&] {
            QTableWidget* grid = d->stringGridAller;
            QCOMPARE(d->windowTitle(), QStringLiteral("Aller à l'image..."));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                              grid->visualItemRect(grid->item(1, 0)).center());
            // Frame 7, point 2 current, its x cell chosen in both tables.
            QCOMPARE(w().currentFrame, 6);
            QCOMPARE(clipgen::readFrameIndex(w().PaintBox1->image()), 6);
            QCOMPARE(w().tables.currentPoint(), 2);
            QCOMPARE(w().tables.MeasureTable.row(), 7);
            QCOMPARE(w().tables.MeasureTable.col(), 3);
            QCOMPARE(w().tables.PixelTable.col(), 3);

            // Delete: x and y of that point go, in both tables; nothing else.
            QTest::keyClick(grid, Qt::Key_Delete);
            QVERIFY(d->isVisible());
            d->fermerBtn->click();
        });
    QCOMPARE(m_fixture->seams.messages().size(), 0);
    for (const TextGrid* table : {&w().tables.PixelTable, &w().tables.MeasureTable}) {
        QVERIFY(table->isEmpty(3, 7));
        QVERIFY(table->isEmpty(4, 7));
        QVERIFY(!table->isEmpty(1, 7)); // point 1 of that frame stays
        QVERIFY(!table->isEmpty(3, 3)); // and the same point on another frame
    }
    // The list is not rebuilt by the erasure.
    QCOMPARE(dialog().stringGridAller->rowCount(), 2);
}

void GotoDialogTest::clicksThatChangeNothing() {
    record(3, 1, QPoint(50, 40));
    rightClick(QPoint(50, 40));
    QVERIFY(w().popUpMenuAtteindre->isEnabled());
    // Outside the picture: the list and the item stay as they were.
    w().PaintBox1MouseUp(Qt::RightButton, Qt::NoModifier, QPoint(160, 40));
    w().PaintBox1MouseUp(Qt::RightButton, Qt::NoModifier, QPoint(-1, 40));
    QVERIFY(w().popUpMenuAtteindre->isEnabled());
    QCOMPARE(dialog().stringGridAller->rowCount(), 1);

    // Without a clip, nothing at all.
    MainWindowFixture empty;
    QVERIFY(empty.isValid());
    empty.window->PaintBox1MouseUp(Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(!empty.window->popUpMenuAtteindre->isEnabled());
    QCOMPARE(empty.window->dialogs->alleraDlg->stringGridAller->rowCount(), 0);
}

QTEST_MAIN(GotoDialogTest)
#include "goto_dialog.moc"
