// The "Mesures" page on the real widgets: selection and clearing of the
// table, the automatic advance of a click, the time origin, the number of
// points per frame.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "common/number_format.h"
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

using namespace traxilo;
using namespace traxilo::test;

namespace {

const QString kClip = QStringLiteral("measures_page.avi");

void clickCell(TForm1& w, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    // Scrolled into view first, as the user would.
    if (!w.StringGrid1->cellRect(col, row).isValid()) {
        w.tables.MeasureTable.setLeftCol(col);
        w.tables.MeasureTable.setTopRow(row);
        w.refreshTables();
    }
    const QRect rect = w.StringGrid1->cellRect(col, row);
    QVERIFY2(rect.isValid(), qPrintable(QStringLiteral("cell %1,%2 hidden").arg(col).arg(row)));
    QTest::mouseClick(w.StringGrid1->viewport(), button, Qt::NoModifier, rect.center());
}

void setPoints(TForm1& w, int n) {
    while (w.udPointsPlan->position() < n)
        QTest::mouseClick(w.udPointsPlan->upButton(), Qt::LeftButton);
    while (w.udPointsPlan->position() > n)
        QTest::mouseClick(w.udPointsPlan->downButton(), Qt::LeftButton);
}

// Records point `k` on frame `frame` at `pixel` without any advance.
void record(TForm1& w, int frame, int k, QPoint pixel) {
    w.chkBoxAutoH->setChecked(false);
    w.chkBoxAutoV->setChecked(false);
    w.mpPositionner(frame);
    w.setTableRowsToCurrentFrame();
    w.udPointNumero->setPosition(k);
    w.udPointNumeroClick();
    clickSurface(w, pixel);
}

bool pointsEmpty(const TForm1& w) {
    for (int r = 1; r < w.tables.PixelTable.rowCount(); ++r)
        for (int c = 1; c < w.tables.PixelTable.colCount(); ++c)
            if (!w.tables.PixelTable.isEmpty(c, r) || !w.tables.MeasureTable.isEmpty(c, r))
                return false;
    return true;
}

} // namespace

class MeasuresPage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void releaseSelects_data();
    void releaseSelects();
    void deleteWidensToWholePoints_data();
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
    void timeOriginRewritesTimes();
    void timeOriginAccelerates();
    void heldArrowAcceleratesUntilReleased_data();
    void heldArrowAcceleratesUntilReleased();
    void fewerPointsKeepCurrentPointInRange();
    void recordedRowStaysInView();
    void autoSwitchesMirrorTheMenu();

private:
    TForm1& w() { return *m_fixture->window; }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void MeasuresPage::init() {
    setDecimalSeparator(QLatin1Char('.'));
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
}

void MeasuresPage::releaseSelects_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QRect>("selection"); // left, top, right, bottom as x, y, w-1, h-1
    const int R = 12;
    QTest::newRow("corner: whole table") << 2 << QPoint(0, 0) << QRect(QPoint(1, 1), QPoint(4, R));
    QTest::newRow("header of y2: point 2")
        << 2 << QPoint(4, 0) << QRect(QPoint(3, 1), QPoint(4, R));
    QTest::newRow("header of x1: point 1")
        << 2 << QPoint(1, 0) << QRect(QPoint(1, 1), QPoint(2, R));
    QTest::newRow("time cell: the row") << 2 << QPoint(0, 3) << QRect(QPoint(1, 3), QPoint(4, 3));
    QTest::newRow("data cell alone") << 2 << QPoint(3, 2) << QRect(QPoint(3, 2), QPoint(3, 2));
}

void MeasuresPage::releaseSelects() {
    QFETCH(int, points);
    QFETCH(QPoint, cell);
    QFETCH(QRect, selection);
    setPoints(w(), points);
    clickCell(w(), cell.x(), cell.y());
    const GridRect s = w().tables.MeasureTable.selection();
    QCOMPARE(QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom)), selection);
}

void MeasuresPage::deleteWidensToWholePoints_data() {
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<int>("firstCleared");
    QTest::addColumn<int>("lastCleared");
    QTest::newRow("y of point 2") << QRect(QPoint(4, 1), QPoint(4, 12)) << 3 << 4;
    QTest::newRow("y1 to x2") << QRect(QPoint(2, 1), QPoint(3, 12)) << 1 << 4;
    QTest::newRow("x of point 1") << QRect(QPoint(1, 1), QPoint(1, 12)) << 1 << 2;
}

void MeasuresPage::deleteWidensToWholePoints() {
    QFETCH(QRect, selection);
    QFETCH(int, firstCleared);
    QFETCH(int, lastCleared);
    setPoints(w(), 3);
    for (int k = 1; k <= 3; ++k)
        record(w(), 2, k, QPoint(10 * k, 20));
    // Keyboard extension of the selection: from the first cell down the column.
    clickCell(w(), selection.left(), 1);
    for (int c = selection.left(); c < selection.right(); ++c)
        QTest::keyClick(w().StringGrid1, Qt::Key_Right, Qt::ShiftModifier);
    for (int r = 1; r < selection.bottom(); ++r)
        QTest::keyClick(w().StringGrid1, Qt::Key_Down, Qt::ShiftModifier);
    const GridRect s = w().tables.MeasureTable.selection();
    QCOMPARE(QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom)), selection);

    m_fixture->seams.clear();
    m_fixture->seams.answerNext(true);
    QTest::keyClick(w().StringGrid1, Qt::Key_Delete);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
    QCOMPARE(m_fixture->seams.lastText(),
             QStringLiteral("Vous avez demandé l'effacement\rd'une plage du tableau :\r\r"
                            "confirmez-vous cette demande ?"));
    for (int c = 1; c <= 6; ++c) {
        const bool cleared = c >= firstCleared && c <= lastCleared;
        QCOMPARE(w().tables.PixelTable.isEmpty(c, 3), cleared);
        QCOMPARE(w().tables.MeasureTable.isEmpty(c, 3), cleared);
    }
    QVERIFY(!w().tables.MeasureTable.isEmpty(0, 3)); // the time stays
}

void MeasuresPage::clearingButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QRect>("range");
    const QString column = QStringLiteral(
        "Vous avez demandé l'effacement\rd'une colonne :\r\rconfirmez-vous cette demande ?");
    const QString row = QStringLiteral(
        "Vous avez demandé l'effacement\rd'une ligne :\r\rconfirmez-vous cette demande ?");
    const QString table = QStringLiteral(
        "Vous avez demandé l'effacement\rdu tableau :\r\rconfirmez-vous cette demande ?");
    // The current cell is (y2, row 5): point 2 on image 5.
    for (bool yes : {true, false}) {
        const char* answer = yes ? "Oui" : "Non";
        QTest::addRow("Button0 %s", answer)
            << "Button0" << yes << column << QRect(QPoint(3, 1), QPoint(4, 12));
        QTest::addRow("Button1 %s", answer)
            << "Button1" << yes << row << QRect(QPoint(1, 5), QPoint(4, 5));
        QTest::addRow("Button2 %s", answer)
            << "Button2" << yes << table << QRect(QPoint(1, 1), QPoint(4, 12));
    }
}

void MeasuresPage::clearingButtons() {
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QRect, range);
    setPoints(w(), 2);
    for (int frame : {2, 4, 6})
        for (int k = 1; k <= 2; ++k)
            record(w(), frame, k, QPoint(20 * k, 5 * frame));
    clickCell(w(), 4, 5);
    const TextGrid before = w().tables.PixelTable;

    m_fixture->seams.clear();
    m_fixture->seams.answerNext(yes);
    QTest::mouseClick(widgetNamed(w(), button), Qt::LeftButton);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
    QCOMPARE(m_fixture->seams.lastText(), question);
    QCOMPARE(m_fixture->seams.messages().last().title, QStringLiteral("Confirmation"));

    const TextGrid& pixels = w().tables.PixelTable;
    for (int r = 1; r <= 12; ++r) {
        for (int c = 0; c <= 4; ++c) {
            const bool inRange = range.contains(QPoint(c, r));
            const QString expected = yes && inRange ? QString() : before.cell(c, r);
            QCOMPARE(pixels.cell(c, r), expected);
        }
    }
    const GridRect s = w().tables.MeasureTable.selection();
    if (yes) {
        // The current cell is the range's first cell and the clip follows it.
        QCOMPARE(w().tables.MeasureTable.col(), range.left());
        QCOMPARE(w().currentFrame, w().tables.MeasureTable.row() - 1);
    } else {
        QCOMPARE(QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom)), range);
        QCOMPARE(w().tables.MeasureTable.col(), range.right());
        QCOMPARE(w().tables.MeasureTable.row(), range.bottom());
    }
}

void MeasuresPage::escapeAsksForTheRow() {
    record(w(), 3, 1, QPoint(30, 30));
    m_fixture->seams.clear();
    m_fixture->seams.answerNext(true);
    QTest::keyClick(&w(), Qt::Key_Escape);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
    QVERIFY(m_fixture->seams.lastText().contains(QStringLiteral("d'une ligne")));
    QVERIFY(w().tables.PixelTable.isEmpty(1, 4));

    // Not from another page.
    w().popUpMnuModeEtalonnerClick();
    m_fixture->seams.clear();
    QTest::keyClick(&w(), Qt::Key_Escape);
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 0);
}

void MeasuresPage::openingClearsSilently() {
    record(w(), 1, 1, QPoint(40, 40));
    QVERIFY(w().tableauOccupe());
    m_fixture->seams.clear();
    const OpenedClip again = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 0);
    QVERIFY(!w().tableauOccupe());
    QVERIFY(pointsEmpty(w()));
    QVERIFY(!w().tables.silentClear);
    // The next clearing of the table asks again.
    m_fixture->seams.answerNext(false);
    w().Button2Click();
    QCOMPARE(m_fixture->seams.count(MessageKind::Confirmation), 1);
}

void MeasuresPage::automaticAdvance_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("point");
    QTest::addColumn<bool>("autoH");
    QTest::addColumn<bool>("autoV");
    QTest::addColumn<int>("frame");
    QTest::addColumn<int>("nextFrame");
    QTest::addColumn<int>("nextPoint");
    QTest::addColumn<int>("nextCol");
    QTest::newRow("H, more points: next point") << 2 << 1 << true << true << 3 << 3 << 2 << 3;
    QTest::newRow("H and V, last point: next frame, point 1")
        << 2 << 2 << true << true << 3 << 4 << 1 << 1;
    QTest::newRow("H only, last point: stays") << 2 << 2 << true << false << 3 << 3 << 2 << 3;
    QTest::newRow("V only: same point, next frame") << 2 << 2 << false << true << 3 << 4 << 2 << 3;
    QTest::newRow("neither: stays") << 2 << 1 << false << false << 3 << 3 << 1 << 1;
    QTest::newRow("last frame: stays") << 2 << 2 << true << true << 11 << 11 << 2 << 3;
    QTest::newRow("one point, H read while disabled")
        << 1 << 1 << false << true << 0 << 1 << 1 << 1;
    QTest::newRow("one point, H checked") << 1 << 1 << true << true << 0 << 1 << 1 << 1;
}

void MeasuresPage::automaticAdvance() {
    QFETCH(int, points);
    QFETCH(int, point);
    QFETCH(bool, autoH);
    QFETCH(bool, autoV);
    QFETCH(int, frame);
    QFETCH(int, nextFrame);
    QFETCH(int, nextPoint);
    QFETCH(int, nextCol);
    setPoints(w(), points);
    QCOMPARE(w().chkBoxAutoH->isEnabled(), points != 1);
    w().mpPositionner(frame);
    w().setTableRowsToCurrentFrame();
    w().udPointNumero->setPosition(point);
    w().udPointNumeroClick();
    w().chkBoxAutoH->setChecked(autoH);
    w().chkBoxAutoV->setChecked(autoV);

    clickSurface(w(), QPoint(33, 44));
    const int c = 2 * point - 1;
    QCOMPARE(w().tables.PixelTable.cell(c, frame + 1), QStringLiteral("33"));
    QCOMPARE(w().tables.PixelTable.cell(c + 1, frame + 1), QStringLiteral("44"));
    QCOMPARE(w().currentFrame, nextFrame);
    QCOMPARE(clipgen::readFrameIndex(w().PaintBox1->image()), nextFrame);
    QCOMPARE(w().udPointNumero->position(), nextPoint);
    QCOMPARE(w().lblPointNumero->text(), QString::number(nextPoint));
    QCOMPARE(w().tables.MeasureTable.row(), nextFrame + 1);
    QCOMPARE(w().tables.MeasureTable.col(), nextCol);
    // The hidden table follows the shown one.
    QCOMPARE(w().tables.PixelTable.row(), w().tables.MeasureTable.row());
    QCOMPARE(w().tables.PixelTable.col(), w().tables.MeasureTable.col());
}

void MeasuresPage::refilledPointOverwrites() {
    record(w(), 5, 1, QPoint(10, 10));
    const QString firstY = w().tables.MeasureTable.cell(2, 6);
    record(w(), 5, 1, QPoint(20, 30));
    QCOMPARE(w().tables.PixelTable.cell(1, 6), QStringLiteral("20"));
    QCOMPARE(w().tables.PixelTable.cell(2, 6), QStringLiteral("30"));
    QVERIFY(w().tables.MeasureTable.cell(2, 6) != firstY);
    QCOMPARE(w().tables.MeasureTable.cell(1, 6), FormatSci(2, 20));
}

void MeasuresPage::clicksOutsideRecordNothing() {
    w().chkBoxAutoV->setChecked(false);
    clickSurface(w(), QPoint(160, 10)); // one pixel beyond the right edge
    clickSurface(w(), QPoint(10, 120)); // one beyond the bottom edge
    clickSurface(w(), QPoint(10, 10), Qt::RightButton);
    w().PaintBox1->popupMenu()->close();
    QVERIFY(!w().tableauOccupe());
    QVERIFY(!w().popUpMenuAtteindre->isEnabled());
    clickSurface(w(), QPoint(159, 119)); // the last pixel counts
    QCOMPARE(w().tables.PixelTable.cell(1, 1), QStringLiteral("159"));
}

void MeasuresPage::doubleClickRecordsOnce_data() {
    QTest::addColumn<QPoint>("second"); // where the second click of the pair lands
    QTest::addColumn<int>("frames");    // frames recorded
    QTest::newRow("same pixel") << QPoint(40, 50) << 1;
    QTest::newRow("a hand's shake") << QPoint(42, 49) << 1;
    QTest::newRow("another place") << QPoint(60, 50) << 2;
}

void MeasuresPage::doubleClickRecordsOnce() {
    QFETCH(QPoint, second);
    QFETCH(int, frames);
    // What the platform sends for a double-click: press, release, then a
    // double-click press and its release.
    QWidget* box = w().PaintBox1;
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(40, 50));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 50));
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(second), QPointF(second),
                            box->mapToGlobal(QPointF(second)), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(box, &doubleClick);
    QTest::mouseRelease(box, Qt::LeftButton, {}, second);
    QCOMPARE(w().currentFrame, frames);
    QCOMPARE(w().tables.PixelTable.isEmpty(1, 2), frames < 2);
    // Rapid single clicks on different places all count.
    for (int i = 0; i < 5; ++i)
        clickSurface(w(), QPoint(70 + 3 * i, 60));
    QCOMPARE(w().currentFrame, frames + 5);
}

void MeasuresPage::timeOriginRewritesTimes() {
    record(w(), 1, 1, QPoint(12, 34));
    const QString x2 = w().tables.MeasureTable.cell(1, 2);
    QVERIFY(!x2.isEmpty());
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(w().udt0->upButton(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the release's rewrite is queued
    QCOMPARE(w().udt0->position(), 5);
    QCOMPARE(w().lblt0->text(), QStringLiteral("5"));
    QCOMPARE(w().StringGrid1->timeOrigin(), 5);
    for (int r = 1; r <= 12; ++r) {
        const QString pixelTime = r < 5 ? QString() : QString::number(r - 5);
        QCOMPARE(w().tables.PixelTable.cell(0, r), pixelTime);
        const long double t = (r - 5) * w().ClipInfo.framePeriod;
        QCOMPARE(w().tables.MeasureTable.cell(0, r), r < 5 ? QString() : FormatTime("0.000", t));
    }
    QCOMPARE(w().tables.MeasureTable.cell(0, 5), QStringLiteral("0.000"));
    QCOMPARE(w().tables.MeasureTable.cell(1, 2), x2); // x and y stay
    // Rows before the time origin are drawn grey.
    const QImage table = w().StringGrid1->viewport()->grab().toImage();
    const auto background = [&](int col, int row) {
        return QColor(table.pixel(w().StringGrid1->cellRect(col, row).topLeft() + QPoint(1, 1)));
    };
    QCOMPARE(background(0, 2), QColor(192, 192, 192));
    QCOMPARE(background(0, 6), QColor(255, 255, 225));
    w().mpPositionner(4);
    QCOMPARE(w().lblNoImage5->text(), QStringLiteral("   ( t= 0 )"));
    w().mpPositionner(5);
    QCOMPARE(w().lblNoImage5->text(), QString());
}

void MeasuresPage::timeOriginAccelerates() {
    w().udt0MouseDown();
    QVERIFY(w().Timer2->isActive());
    QCOMPARE(w().Timer2->interval(), 500);
    QVERIFY(QTest::qWaitFor([&] { return w().udt0->increment() >= 4; }, 2500));
    // The step stops doubling once it reaches the maximum (12 frames).
    QVERIFY(QTest::qWaitFor([&] { return w().udt0->increment() >= 12; }, 2500));
    const int held = w().udt0->increment();
    QTest::qWait(600);
    QCOMPARE(w().udt0->increment(), held);
    w().udt0MouseUp();
    QVERIFY(!w().Timer2->isActive());
    QCOMPARE(w().udt0->increment(), 1);
}

void MeasuresPage::heldArrowAcceleratesUntilReleased_data() {
    QTest::addColumn<bool>("onTheArrow");
    QTest::newRow("released on the arrow") << true;
    // As when the arrow moves aside under the pointer.
    QTest::newRow("released off the arrow") << false;
}

void MeasuresPage::heldArrowAcceleratesUntilReleased() {
    // The arrow held with the mouse repeats its press and release; the step
    // must still double and the times wait for the real release.
    QFETCH(bool, onTheArrow);
    QToolButton* up = w().udt0->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    QVERIFY(w().Timer2->isActive());
    QVERIFY(QTest::qWaitFor([&] { return w().udt0->increment() >= 2; }, 1500));
    QVERIFY(w().Timer2->isActive());
    QVERIFY(w().udt0->position() > 1);
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier,
                        onTheArrow ? up->rect().center() : QPoint(-20, -20));
    QCoreApplication::processEvents(); // the release's rewrite is queued
    QVERIFY(!w().Timer2->isActive());
    QCOMPARE(w().udt0->increment(), 1);
    const int t0 = w().udt0->position();
    QCOMPARE(w().lblt0->text(), QString::number(t0));
    QCOMPARE(w().tables.PixelTable.cell(0, t0), QStringLiteral("0"));
    QCOMPARE(w().tables.PixelTable.cell(0, t0 - 1), QString());
    QCOMPARE(w().tables.MeasureTable.cell(0, t0), QStringLiteral("0.000"));
}

void MeasuresPage::fewerPointsKeepCurrentPointInRange() {
    setPoints(w(), 4);
    QCOMPARE(w().tables.MeasureTable.colCount(), 9);
    QCOMPARE(w().tables.MeasureTable.cell(7, 0), QStringLiteral("x4(m)"));
    w().udPointNumero->setPosition(4);
    w().udPointNumeroClick();
    QCOMPARE(w().tables.currentPoint(), 4);
    setPoints(w(), 2);
    QCOMPARE(w().udPointNumero->maximum(), 2);
    QVERIFY(w().tables.currentPoint() >= 1 && w().tables.currentPoint() <= 2);
    QCOMPARE(w().udPointNumero->position(), w().tables.currentPoint());
    QCOMPARE(w().lblPointNumero->text(), QString::number(w().tables.currentPoint()));
    QCOMPARE(w().lblPointsPlan->text(), QStringLiteral("2"));
    setPoints(w(), 1);
    QCOMPARE(w().tables.MeasureTable.colCount(), 3);
    QCOMPARE(w().tables.PixelTable.colCount(), 3);
    QCOMPARE(w().tables.MeasureTable.cell(1, 0), QStringLiteral("x(m)"));
    QCOMPARE(w().tables.MeasureTable.cell(2, 0), QStringLiteral("y(m)"));
    QCOMPARE(w().tables.PixelTable.cell(1, 0), QStringLiteral("x"));
    QCOMPARE(w().tables.currentPoint(), 1);
    QVERIFY(!w().chkBoxAutoH->isEnabled());
    QVERIFY(!w().mnuAutoH->isEnabled());
    QVERIFY(!w().udPointNumero->isEnabled());
}

void MeasuresPage::recordedRowStaysInView() {
    // A short table view: fewer rows shown than the clip has frames.
    w().StringGrid1->setFixedHeight(5 * 23 + 10);
    QCoreApplication::processEvents();
    const TextGrid& table = w().tables.MeasureTable;
    QVERIFY(table.visibleRowCount() >= 2 && table.visibleRowCount() < 11);
    for (int frame = 0; frame < 12; ++frame) {
        clickSurface(w(), QPoint(20 + frame, 30));
        const int recorded = frame + 1;
        QVERIFY2(recorded >= table.topRow() && recorded < table.topRow() + table.visibleRowCount(),
                 qPrintable(QStringLiteral("row %1, top %2").arg(recorded).arg(table.topRow())));
        QVERIFY(w().StringGrid1->cellRect(1, recorded).isValid());
        QCOMPARE(w().tables.PixelTable.topRow(), table.topRow());
    }
    QVERIFY(table.topRow() > 1);
    // Page Up shows the previous frame, and the row follows.
    const int before = table.row();
    QTest::keyClick(w().StringGrid1, Qt::Key_PageUp);
    QCOMPARE(table.row(), before - 1);
    QCOMPARE(w().currentFrame, table.row() - 1);
}

void MeasuresPage::autoSwitchesMirrorTheMenu() {
    QVERIFY(w().mnuAutoV->isChecked());
    w().mnuAutoV->trigger();
    QVERIFY(!w().mnuAutoV->isChecked());
    QVERIFY(!w().chkBoxAutoV->isChecked());
    clickBox(w().chkBoxAutoV);
    QVERIFY(w().chkBoxAutoV->isChecked());
    QVERIFY(w().mnuAutoV->isChecked());
    setPoints(w(), 2);
    clickBox(w().chkBoxAutoH);
    QVERIFY(!w().mnuAutoH->isChecked());
    w().mnuAutoH->trigger();
    QVERIFY(w().chkBoxAutoH->isChecked());
}

QTEST_MAIN(MeasuresPage)
#include "measures_page.moc"
