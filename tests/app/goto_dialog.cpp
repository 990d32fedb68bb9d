// The go-to dialog: a right click on a drawn mark finds its points, in
// order; a line chosen shows its frame and point; Delete erases that point,
// x and y together, without a question.
#include "app/dialogs/goto_dialog.h"
#include "app/main_window.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "document/measurement_document.h"
#include "support/clip_opening.h"
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

// A click on the table's cell of x of `point` on `frame` (0-based): that frame
// shown, that point current.
void chooseCell(TForm1& window, int frame, int point) {
    auto* table = child<StringGrid>(window, "StringGrid1");
    table->grid()->setCurrent(2 * point - 1, frame + 1);
    table->refresh();
}

// The number of points per frame, with the arrows of its up-down.
void setPointsPerFrame(TForm1& window, int n) {
    auto* upDown = child<UpDown>(window, "udPointsPlan");
    while (upDown->position() != n)
        upDown->stepBy(upDown->position() < n);
}

} // namespace

class GotoDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() {
        if (m_fixture) {
            child<QMenu>(w(), "PopupMenu1")->hide();
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
    TalleraDlg& dialog() { return *child<TalleraDlg>(w(), "alleraDlg"); }
    QAction* atteindre() { return child<QAction>(w(), "popUpMenuAtteindre"); }
    // Records point `point` of frame `frame` (0-based) at `pixel`.
    void record(int frame, int point, QPoint pixel) {
        chooseCell(w(), frame, point);
        clickSurface(w(), pixel);
    }
    void rightClick(QPoint pixel) {
        clickSurface(w(), pixel, Qt::RightButton);
        child<QMenu>(w(), "PopupMenu1")->hide();
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void GotoDialogTest::init() {
    // The old window goes first: its seams must not outlive the new ones (after
    // a failed init no cleanup ran).
    m_fixture.reset();
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, smallClipSpec(12), QStringLiteral("goto_dialog.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
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
    const char* sizeItems[5] = {"mnuTaille1", "mnuTaille2", "mnuTaille3", "mnuTaile4",
                                "mnuTaille5"};
    trigger(w(), sizeItems[size - 1]);
    if (!drawn)
        clickBox(child<QCheckBox>(w(), "chkBoxPtDed"));
    rightClick(QPoint(50, 40) + offset);
    QCOMPARE(atteindre()->isEnabled(), found);
    QCOMPARE(lines(dialog()), found ? QStringList{"4/0.120/1"} : QStringList{});
}

void GotoDialogTest::pointsInFrameThenPointOrder() {
    setPointsPerFrame(w(), 2);
    record(8, 1, QPoint(30, 30));
    record(3, 2, QPoint(30, 30));
    record(3, 1, QPoint(30, 31)); // the marks overlap: both found
    rightClick(QPoint(30, 30));
    QCOMPARE(lines(dialog()), (QStringList{"4/0.120/1", "4/0.120/2", "9/0.320/1"}));
}

void GotoDialogTest::choosingALineAndDelete() {
    setPointsPerFrame(w(), 2);
    record(2, 2, QPoint(70, 50));
    record(6, 2, QPoint(70, 50));
    record(6, 1, QPoint(20, 20));
    chooseCell(w(), 0, 1);
    rightClick(QPoint(70, 50));
    QVERIFY(atteindre()->isEnabled());

    TalleraDlg* d = &dialog();
    runModal(
        d, [this] { atteindre()->trigger(); },
        [&] {
            QTableWidget* list = d->stringGridAller;
            QCOMPARE(d->windowTitle(), QStringLiteral("Aller à l'image..."));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualItemRect(list->item(1, 0)).center());
            // Frame 7 shown, point 2 current, its x cell chosen in the table.
            QCOMPARE(w().frameShown(), 6);
            QCOMPARE(shownFrame(w()), 6);
            QCOMPARE(w().document().currentPoint(), 2);
            const TextGrid* grid = child<StringGrid>(w(), "StringGrid1")->grid();
            QCOMPARE(QPoint(grid->col(), grid->row()), QPoint(3, 7));

            // Delete: x and y of that point go together; nothing else.
            QTest::keyClick(d->stringGridAller, Qt::Key_Delete);
            QVERIFY(d->isVisible());
            d->fermerBtn->click();
        });
    QCOMPARE(m_fixture->seams.messages().size(), 0);
    const MeasurementDocument& document = w().document();
    QVERIFY(!document.position(6, 2));
    QVERIFY(document.position(6, 1)); // point 1 of that frame stays
    QVERIFY(document.position(2, 2)); // and the same point on another frame
    QCOMPARE(document.positionCount(), 2);
    // The list is not rebuilt by the erasure.
    QCOMPARE(dialog().stringGridAller->rowCount(), 2);
}

void GotoDialogTest::clicksThatChangeNothing() {
    record(3, 1, QPoint(50, 40));
    rightClick(QPoint(50, 40));
    QVERIFY(atteindre()->isEnabled());
    // Outside the picture: the list and the item stay as they were.
    rightClick(QPoint(160, 40));
    rightClick(QPoint(-1, 40));
    QVERIFY(atteindre()->isEnabled());
    QCOMPARE(dialog().stringGridAller->rowCount(), 1);

    // Without a clip, nothing at all.
    MainWindowFixture empty;
    QVERIFY(empty.isValid());
    empty.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(empty.window.get()));
    clickSurface(*empty.window, QPoint(10, 10), Qt::RightButton);
    child<QMenu>(*empty.window, "PopupMenu1")->hide();
    QVERIFY(!child<QAction>(*empty.window, "popUpMenuAtteindre")->isEnabled());
    QCOMPARE(child<TalleraDlg>(*empty.window, "alleraDlg")->stringGridAller->rowCount(), 0);
}

QTEST_MAIN(GotoDialogTest)
#include "goto_dialog.moc"
