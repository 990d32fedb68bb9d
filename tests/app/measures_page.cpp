// The "Mesures" page on the real widgets: selection and clearing of the
// table, the automatic advance of a click, the time origin, the number of
// points per frame. The values the table shows are the document's
// (tests/document).
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

using namespace traxilo;
using namespace traxilo::test;

namespace {

const QString kClip = QStringLiteral("measures_page.avi");

StringGrid* table(const TForm1& w) {
    return child<StringGrid>(w, "StringGrid1");
}

QRect selection(const TForm1& w) {
    const GridRect s = table(w)->grid()->selection();
    return QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom));
}

void clickCell(TForm1& w, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    StringGrid* grid = table(w);
    // Scrolled into view first, as the user would.
    if (!grid->cellRect(col, row).isValid()) {
        grid->grid()->setLeftCol(col);
        grid->grid()->setTopRow(row);
        grid->refresh();
    }
    const QRect rect = grid->cellRect(col, row);
    QVERIFY2(rect.isValid(), qPrintable(QStringLiteral("cell %1,%2 hidden").arg(col).arg(row)));
    QTest::mouseClick(grid->viewport(), button, Qt::NoModifier, rect.center());
}

// The arrows of `name` clicked until it shows `n`.
void setArrows(TForm1& w, const char* name, int n) {
    auto* arrows = child<UpDown>(w, name);
    while (arrows->position() < n)
        QTest::mouseClick(arrows->upButton(), Qt::LeftButton);
    while (arrows->position() > n)
        QTest::mouseClick(arrows->downButton(), Qt::LeftButton);
}

void setPoints(TForm1& w, int n) {
    setArrows(w, "udPointsPlan", n);
}

// A position recorded as a click records it, without the click's advance.
void put(TForm1& w, int frame, int point, QPoint pixel) {
    MeasurementDocument& d = w.document();
    d.undoStack()->push(recordPosition(&d, frame, point, PointPosition{QPointF(pixel)}));
}

bool recorded(const TForm1& w, int frame, int point) {
    return w.document().position(frame, point).has_value();
}

} // namespace

class MeasuresPageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void releaseSelects_data();
    void releaseSelects();
    void deleteWidensToWholePoints();
    void clearingButtons_data();
    void clearingButtons();
    void escapeAsksForTheRow();
    void openingClearsSilently();
    void automaticAdvance_data();
    void automaticAdvance();
    void refilledPointOverwrites();
    void clicksOutsideRecordNothing();
    void doubleClickRecordsOnce_data();
    void doubleClickRecordsOnce();
    void timeOriginArrows();
    void heldArrowAcceleratesUntilReleased_data();
    void heldArrowAcceleratesUntilReleased();
    void fewerPointsKeepCurrentPointInRange();
    void recordedRowStaysInView();
    void autoSwitchesMirrorTheMenu();

private:
    TForm1& w() { return *m_fixture->window; }
    template <class T> T* named(const char* name) { return child<T>(w(), name); }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void MeasuresPageTest::init() {
    setDecimalSeparator(QLatin1Char('.'));
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
}

void MeasuresPageTest::releaseSelects_data() {
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QRect>("selection"); // left, top, right, bottom
    // Two points per frame; every case of the rule: tests/pointing.
    QTest::newRow("header of y2: point 2") << QPoint(4, 0) << QRect(QPoint(3, 1), QPoint(4, 12));
    QTest::newRow("time cell: the row") << QPoint(0, 3) << QRect(QPoint(1, 3), QPoint(4, 3));
}

void MeasuresPageTest::releaseSelects() {
    QFETCH(QPoint, cell);
    QFETCH(QRect, selection);
    setPoints(w(), 2);
    clickCell(w(), cell.x(), cell.y());
    QCOMPARE(::selection(w()), selection);
}

void MeasuresPageTest::deleteWidensToWholePoints() {
    setPoints(w(), 3);
    for (int k = 1; k <= 3; ++k)
        put(w(), 2, k, QPoint(10 * k, 20));
    // From y1 down the column and over to x2, with the keyboard.
    clickCell(w(), 2, 1);
    QTest::keyClick(table(w()), Qt::Key_Right, Qt::ShiftModifier);
    for (int r = 1; r < 12; ++r)
        QTest::keyClick(table(w()), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(::selection(w()), QRect(QPoint(2, 1), QPoint(3, 12)));

    m_fixture->seams.answerNext(true);
    QTest::keyClick(table(w()), Qt::Key_Delete);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
    QCOMPARE(m_fixture->seams.lastText(),
             QStringLiteral("Vous avez demandé l'effacement\rd'une plage du tableau :\r\r"
                            "confirmez-vous cette demande ?"));
    // Points 1 and 2 whole, point 3 kept.
    QVERIFY(!recorded(w(), 2, 1));
    QVERIFY(!recorded(w(), 2, 2));
    QVERIFY(recorded(w(), 2, 3));
}

void MeasuresPageTest::clearingButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QRect>("range"); // cells
    const QString column = QStringLiteral(
        "Vous avez demandé l'effacement\rd'une colonne :\r\rconfirmez-vous cette demande ?");
    const QString row = QStringLiteral(
        "Vous avez demandé l'effacement\rd'une ligne :\r\rconfirmez-vous cette demande ?");
    const QString table = QStringLiteral(
        "Vous avez demandé l'effacement\rdu tableau :\r\rconfirmez-vous cette demande ?");
    // The current cell is (y2, row 5): point 2 on frame 4.
    QTest::newRow("Button0 Oui") << "Button0" << true << column
                                 << QRect(QPoint(3, 1), QPoint(4, 12));
    QTest::newRow("Button1 Non") << "Button1" << false << row << QRect(QPoint(1, 5), QPoint(4, 5));
    QTest::newRow("Button2 Oui") << "Button2" << true << table
                                 << QRect(QPoint(1, 1), QPoint(4, 12));
}

void MeasuresPageTest::clearingButtons() {
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QRect, range);
    setPoints(w(), 2);
    const int frames[] = {2, 4, 6};
    for (int frame : frames)
        for (int k = 1; k <= 2; ++k)
            put(w(), frame, k, QPoint(20 * k, 5 * frame));
    clickCell(w(), 4, 5);

    m_fixture->seams.answerNext(yes);
    QTest::mouseClick(widgetNamed(w(), button), Qt::LeftButton);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
    QCOMPARE(m_fixture->seams.lastText(), question);
    QCOMPARE(m_fixture->seams.messages().last().title, QStringLiteral("Confirmation"));

    for (int frame : frames) {
        for (int k = 1; k <= 2; ++k) {
            const bool inRange = range.contains(QPoint(2 * k, frame + 1));
            QCOMPARE(recorded(w(), frame, k), !(yes && inRange));
        }
    }
    const TextGrid& grid = *table(w())->grid();
    if (yes) {
        // The current cell is the range's first cell and the clip follows it.
        QCOMPARE(grid.col(), range.left());
        QCOMPARE(frameShown(w()), grid.row() - 1);
    } else {
        QCOMPARE(::selection(w()), range);
        QCOMPARE(grid.col(), range.right());
        QCOMPARE(grid.row(), range.bottom());
    }
}

void MeasuresPageTest::escapeAsksForTheRow() {
    put(w(), 3, 1, QPoint(30, 30));
    showFrame(w(), 3);
    m_fixture->seams.answerNext(true);
    QTest::keyClick(&w(), Qt::Key_Escape);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
    QVERIFY(m_fixture->seams.lastText().contains(QStringLiteral("d'une ligne")));
    QVERIFY(!recorded(w(), 3, 1));

    // Not from another page.
    trigger(w(), "popUpMnuModeEtalonner");
    m_fixture->seams.clear();
    QTest::keyClick(&w(), Qt::Key_Escape);
    QCOMPARE(m_fixture->seams.messages().size(), 0);
}

void MeasuresPageTest::openingClearsSilently() {
    put(w(), 1, 1, QPoint(40, 40));
    const OpenedClip again = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QCOMPARE(m_fixture->seams.messages().size(), 0);
    QVERIFY(!w().document().hasPositions());
    // The next clearing of the table asks again.
    m_fixture->seams.answerNext(false);
    named<QToolButton>("Button2")->click();
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
}

void MeasuresPageTest::automaticAdvance_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("point");
    QTest::addColumn<bool>("autoH");
    QTest::addColumn<bool>("autoV");
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("nextFrame");
    QTest::addColumn<int>("nextPoint");
    QTest::addColumn<int>("nextCol");
    // The window applies the plan; every case of the rule: tests/pointing.
    QTest::newRow("H, more points: next point") << 2 << 1 << true << true << 3 << 3 << 2 << 3;
    QTest::newRow("H and V, last point: next frame, point 1")
        << 2 << 2 << true << true << 3 << 4 << 1 << 1;
    QTest::newRow("neither: stays") << 2 << 1 << false << false << 3 << 3 << 1 << 1;
    QTest::newRow("one point, H read while disabled")
        << 1 << 1 << false << true << 0 << 1 << 1 << 1;
}

void MeasuresPageTest::automaticAdvance() {
    QFETCH(int, points);
    QFETCH(int, point);
    QFETCH(bool, autoH);
    QFETCH(bool, autoV);
    QFETCH(int, frame);
    QFETCH(int, nextFrame);
    QFETCH(int, nextPoint);
    QFETCH(int, nextCol);
    setPoints(w(), points);
    QCOMPARE(named<QCheckBox>("chkBoxAutoH")->isEnabled(), points != 1);
    showFrame(w(), frame);
    setArrows(w(), "udPointNumero", point);
    named<QCheckBox>("chkBoxAutoH")->setChecked(autoH);
    named<QCheckBox>("chkBoxAutoV")->setChecked(autoV);

    clickSurface(w(), QPoint(33, 44));
    const std::optional<PointPosition> p = w().document().position(frame, point);
    QVERIFY(p);
    QCOMPARE(p->pixel, QPointF(33, 44));
    QCOMPARE(frameShown(w()), nextFrame);
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), nextFrame);
    QCOMPARE(w().document().currentPoint(), nextPoint);
    QCOMPARE(named<UpDown>("udPointNumero")->position(), nextPoint);
    QCOMPARE(labelText(w(), "lblPointNumero"), QString::number(nextPoint));
    QCOMPARE(table(w())->grid()->row(), nextFrame + 1);
    QCOMPARE(table(w())->grid()->col(), nextCol);
}

void MeasuresPageTest::refilledPointOverwrites() {
    clickBox(named<QCheckBox>("chkBoxAutoV")); // stay on the frame
    showFrame(w(), 5);
    clickSurface(w(), QPoint(60, 60));
    QCOMPARE(surfaceRgb(w(), QPoint(60, 60)), 0xFFFFFFu);
    clickSurface(w(), QPoint(90, 80));
    QCOMPARE(w().document().position(5, 1)->pixel, QPointF(90, 80));
    QCOMPARE(w().document().positionCount(), 1);
    // The mark moved with it.
    QCOMPARE(surfaceRgb(w(), QPoint(90, 80)), 0xFFFFFFu);
    QVERIFY(surfaceRgb(w(), QPoint(60, 60)) != 0xFFFFFFu);
}

void MeasuresPageTest::clicksOutsideRecordNothing() {
    named<QCheckBox>("chkBoxAutoV")->setChecked(false);
    clickSurface(w(), QPoint(160, 10)); // one pixel beyond the right edge
    clickSurface(w(), QPoint(10, 120)); // one beyond the bottom edge
    clickSurface(w(), QPoint(10, 10), Qt::RightButton);
    named<PaintBox>("PaintBox1")->popupMenu()->close();
    QVERIFY(!w().document().hasPositions());
    QVERIFY(!named<QAction>("popUpMenuAtteindre")->isEnabled());
    clickSurface(w(), QPoint(159, 119)); // the last pixel counts
    QCOMPARE(w().document().position(0, 1)->pixel, QPointF(159, 119));
}

void MeasuresPageTest::doubleClickRecordsOnce_data() {
    QTest::addColumn<QPoint>("second"); // where the second click of the pair lands
    QTest::addColumn<int>("frames");    // frames recorded
    QTest::newRow("same pixel") << QPoint(40, 50) << 1;
    QTest::newRow("a hand's shake") << QPoint(42, 49) << 1;
    QTest::newRow("another place") << QPoint(60, 50) << 2;
}

void MeasuresPageTest::doubleClickRecordsOnce() {
    QFETCH(QPoint, second);
    QFETCH(int, frames);
    // What the platform sends for a double-click: press, release, then a
    // double-click press and its release.
    QWidget* box = widgetNamed(w(), "PaintBox1");
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(40, 50));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 50));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(second), QPointF(second),
                            box->mapToGlobal(QPointF(second)), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(box, &doubleClick);
    QTest::mouseRelease(box, Qt::LeftButton, {}, second);
    QCOMPARE(frameShown(w()), frames);
    QCOMPARE(w().document().positionCount(), frames);
    // Rapid single clicks on different places all count.
    for (int i = 0; i < 5; ++i)
        clickSurface(w(), QPoint(70 + 3 * i, 60));
    QCOMPARE(frameShown(w()), frames + 5);
}

void MeasuresPageTest::timeOriginArrows() {
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(named<UpDown>("udt0")->upButton(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the release's change is queued
    QCOMPARE(labelText(w(), "lblt0"), QStringLiteral("5"));
    QCOMPARE(w().document().timeOrigin(), 4);
    QCOMPARE(table(w())->text(0, 5), QStringLiteral("0.000"));
    QCOMPARE(table(w())->text(0, 4), QString());
    // Rows before the time origin are drawn grey.
    const QImage picture = table(w())->viewport()->grab().toImage();
    const auto background = [&](int col, int row) {
        return QColor(picture.pixel(table(w())->cellRect(col, row).topLeft() + QPoint(1, 1)));
    };
    QCOMPARE(background(0, 2), QColor(192, 192, 192));
    QCOMPARE(background(0, 6), QColor(255, 255, 225));
    // The frame of t = 0 says so.
    showFrame(w(), 4);
    QCOMPARE(labelText(w(), "lblNoImage5"), QStringLiteral("   ( t= 0 )"));
    showFrame(w(), 5);
    QCOMPARE(labelText(w(), "lblNoImage5"), QString());
}

void MeasuresPageTest::heldArrowAcceleratesUntilReleased_data() {
    QTest::addColumn<bool>("onTheArrow");
    QTest::newRow("released on the arrow") << true;
    // As when the arrow moves aside under the pointer.
    QTest::newRow("released off the arrow") << false;
}

void MeasuresPageTest::heldArrowAcceleratesUntilReleased() {
    // The arrow held with the mouse repeats its press and release; the step
    // must still double and the times wait for the real release.
    QFETCH(bool, onTheArrow);
    auto* arrows = named<UpDown>("udt0");
    auto* timer = named<QTimer>("Timer2");
    QToolButton* up = arrows->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    QVERIFY(timer->isActive());
    QVERIFY(QTest::qWaitFor([&] { return arrows->increment() >= 2; }, 1500));
    QVERIFY(timer->isActive());
    QVERIFY(arrows->position() > 1);
    QCOMPARE(w().document().timeOrigin(), 0); // not while held
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier,
                        onTheArrow ? up->rect().center() : QPoint(-20, -20));
    QCoreApplication::processEvents(); // the release's change is queued
    QVERIFY(!timer->isActive());
    QCOMPARE(arrows->increment(), 1);
    const int t0 = arrows->position();
    QCOMPARE(labelText(w(), "lblt0"), QString::number(t0));
    QCOMPARE(w().document().timeOrigin(), t0 - 1);
    QCOMPARE(table(w())->text(0, t0), QStringLiteral("0.000"));
}

void MeasuresPageTest::fewerPointsKeepCurrentPointInRange() {
    setPoints(w(), 4);
    QCOMPARE(table(w())->grid()->colCount(), 9);
    setArrows(w(), "udPointNumero", 4);
    QCOMPARE(w().document().currentPoint(), 4);
    setPoints(w(), 2);
    auto* pointArrows = named<UpDown>("udPointNumero");
    const int current = w().document().currentPoint();
    QCOMPARE(pointArrows->maximum(), 2);
    QVERIFY(current >= 1 && current <= 2);
    QCOMPARE(pointArrows->position(), current);
    QCOMPARE(labelText(w(), "lblPointNumero"), QString::number(current));
    QCOMPARE(labelText(w(), "lblPointsPlan"), QStringLiteral("2"));
    setPoints(w(), 1);
    QCOMPARE(table(w())->grid()->colCount(), 3);
    QCOMPARE(table(w())->text(1, 0), QStringLiteral("x(m)"));
    QVERIFY(!named<QCheckBox>("chkBoxAutoH")->isEnabled());
    QVERIFY(!named<QAction>("mnuAutoH")->isEnabled());
    QVERIFY(!pointArrows->isEnabled());
}

void MeasuresPageTest::recordedRowStaysInView() {
    // A short table view: fewer rows shown than the clip has frames.
    table(w())->setFixedHeight(5 * 23 + 10);
    QCoreApplication::processEvents();
    const TextGrid& grid = *table(w())->grid();
    QVERIFY(grid.visibleRowCount() >= 2 && grid.visibleRowCount() < 11);
    for (int frame = 0; frame < 12; ++frame) {
        clickSurface(w(), QPoint(20 + frame, 30));
        const int row = frame + 1;
        QVERIFY2(row >= grid.topRow() && row < grid.topRow() + grid.visibleRowCount(),
                 qPrintable(QStringLiteral("row %1, top %2").arg(row).arg(grid.topRow())));
        QVERIFY(table(w())->cellRect(1, row).isValid());
    }
    QVERIFY(grid.topRow() > 1);
    // Page Up shows the previous frame, and the row follows.
    const int before = grid.row();
    QTest::keyClick(table(w()), Qt::Key_PageUp);
    QCOMPARE(grid.row(), before - 1);
    QCOMPARE(frameShown(w()), grid.row() - 1);
}

void MeasuresPageTest::autoSwitchesMirrorTheMenu() {
    auto* menuV = named<QAction>("mnuAutoV");
    auto* boxV = named<QCheckBox>("chkBoxAutoV");
    QVERIFY(menuV->isChecked());
    menuV->trigger();
    QVERIFY(!menuV->isChecked());
    QVERIFY(!boxV->isChecked());
    clickBox(boxV);
    QVERIFY(boxV->isChecked());
    QVERIFY(menuV->isChecked());
    setPoints(w(), 2);
    clickBox(named<QCheckBox>("chkBoxAutoH"));
    QVERIFY(!named<QAction>("mnuAutoH")->isChecked());
    named<QAction>("mnuAutoH")->trigger();
    QVERIFY(named<QCheckBox>("chkBoxAutoH")->isChecked());
}

QTEST_MAIN(MeasuresPageTest)
#include "measures_page.moc"
