// How pointing looks: the pointer's cursor from the menus and its dialog, in
// pointing and calibration modes; the mark size; the quick configurations;
// the point's colour and shape from its dialog.
#include "app/cursors.h"
#include "app/dialogs/point_appearance_dialog.h"
#include "app/dialogs/pointer_dialog.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/radio_group.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

const QString kClip = QStringLiteral("appearance.avi");
constexpr unsigned kMagenta = 0xFF00FF;

// The program's cursors are two-colour ones: their bitmap and mask, pixel
// by pixel.
QByteArray cursorBits(const QCursor& cursor) {
    QByteArray bits;
    for (const QBitmap& bitmap : {cursor.bitmap(), cursor.mask()}) {
        const QImage image = bitmap.toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                bits += image.pixelIndex(x, y) ? '1' : '0';
    }
    return bits;
}

// The program's cursor of number `n`, as a fresh registry draws it.
QByteArray programCursor(int n) {
    CursorRegistry cursors;
    cursors.registerStandardCursors();
    const QByteArray bits = cursorBits(cursors.cursor(n));
    if (!bits.contains('1'))
        qFatal("no cursor %d", n);
    return bits;
}

// Point 1 in magenta (as a session would set it), and the clicks staying on
// the frame shown.
void magentaPoint(TForm1& w) {
    PointStyles styles = w.document().styles();
    styles.point(1).colour = QColor(255, 0, 255);
    w.document().setStyles(styles, w.document().markSize());
    required<QCheckBox>(w, "chkBoxAutoV")->setChecked(false);
}

} // namespace

class AppearanceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void pointerCursor_data();
    void pointerCursor();
    void markSize_data();
    void markSize();
    void quickConfigurations_data();
    void quickConfigurations();
    void pointDialog();
    void dialogsShareOneBackground();

private:
    TForm1& w() { return *m_fixture->window; }
    // The colour the pointer dialog offers when it is opened: 0 black, 1 white.
    int pointerDialogColour();
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void AppearanceTest::init() {
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
}

int AppearanceTest::pointerDialogColour() {
    auto* dialog = required<TdlgPointeur>(w(), "dlgPointeur");
    int colour = -1;
    runModal(
        dialog, [this] { required<QToolButton>(w(), "bbtnCible")->click(); },
        [&] {
            colour = dialog->rgPtNoirBlanc->itemIndex();
            dialog->CancelBtn->click();
        });
    return colour;
}

void AppearanceTest::pointerCursor_data() {
    QTest::addColumn<QString>("mode");   // "pointing" or "origin" (calibration)
    QTest::addColumn<QString>("choice"); // a menu item, or "dialog" / "dialog cancelled"
    QTest::addColumn<int>("cursor");
    QTest::newRow("white") << "pointing"
                           << "mnuCouleurBlanc" << 202;
    QTest::newRow("cross") << "pointing"
                           << "mnuCroix" << 103;
    QTest::newRow("dialog: white large target") << "pointing"
                                                << "dialog" << 201;
    QTest::newRow("dialog cancelled") << "pointing"
                                      << "dialog cancelled" << 102;
    QTest::newRow("white while choosing the origin") << "origin"
                                                     << "mnuCouleurBlanc" << 211;
    QTest::newRow("dialog while choosing the origin") << "origin"
                                                      << "dialog" << 211;
}

void AppearanceTest::pointerCursor() {
    QFETCH(QString, mode);
    QFETCH(QString, choice);
    QFETCH(int, cursor);
    auto* surface = required<QWidget>(w(), "PaintBox1");
    const bool calibrating = mode == QLatin1String("origin");
    if (calibrating) {
        trigger(w(), "popUpMnuModeEtalonner");
        clickBox(required<QRadioButton>(w(), "rbChxOrig"));
        QCOMPARE(cursorBits(surface->cursor()), programCursor(111));
        QVERIFY(!required<QMenu>(w(), "mnuFormePointeur")->menuAction()->isEnabled());
    }
    if (choice.startsWith(QLatin1String("dialog"))) {
        auto* dialog = required<TdlgPointeur>(w(), "dlgPointeur");
        const bool cancel = choice.endsWith(QLatin1String("cancelled"));
        runModal(
            dialog, [this] { required<QToolButton>(w(), "bbtnCible")->click(); },
            [&] {
                QCOMPARE(dialog->rgPtForme->isEnabled(), !calibrating);
                dialog->rgPtNoirBlanc->button(1)->click();
                if (!calibrating) {
                    dialog->rgPtForme->button(0)->click();
                }
                (cancel ? dialog->CancelBtn : dialog->OKBtn)->click();
            });
    } else {
        trigger(w(), qPrintable(choice));
    }
    QCOMPARE(cursorBits(surface->cursor()), programCursor(cursor));
    // The menus show the pointer in force, and so does the dialog next time;
    // a cancelled choice is not kept.
    const bool white = cursor / 100 == 2;
    QCOMPARE(required<QAction>(w(), "mnuCouleurBlanc")->isChecked(), white);
    QCOMPARE(pointerDialogColour(), white ? 1 : 0);
    if (calibrating) {
        // Back to pointing, the chosen shape returns in the chosen colour.
        trigger(w(), "popUpMnuModeAcquerir");
        QCOMPARE(cursorBits(surface->cursor()), programCursor(202));
    }
}

void AppearanceTest::markSize_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("r");
    QTest::newRow("menu 5") << "mnuTaille5" << 5 << 4;
    QTest::newRow("menu 1") << "mnuTaille1" << 1 << 0;
    QTest::newRow("arrow up") << "up" << 3 << 2;
    QTest::newRow("arrow down, twice: not below 1") << "down down" << 1 << 0;
}

void AppearanceTest::markSize() {
    QFETCH(QString, how);
    QFETCH(int, shown);
    QFETCH(int, r);
    magentaPoint(w());
    clickSurface(w(), QPoint(60, 60));
    auto* arrows = required<UpDown>(w(), "udTaillePoints");
    for (const QString& step : how.split(QLatin1Char(' '))) {
        if (step == QLatin1String("up") || step == QLatin1String("down")) {
            QTest::mouseClick(step == QLatin1String("up") ? arrows->upButton()
                                                          : arrows->downButton(),
                              Qt::LeftButton);
        } else {
            trigger(w(), qPrintable(step));
        }
    }
    QCOMPARE(labelText(w(), "lblTaillePoints"), QString::number(shown));
    QCOMPARE(arrows->position(), r);
    const char* items[5] = {"mnuTaille1", "mnuTaille2", "mnuTaille3", "mnuTaile4", "mnuTaille5"};
    QVERIFY(required<QAction>(w(), items[r])->isChecked());
    // The cross spans 2r + 1 pixels.
    QCOMPARE(surfaceRgb(w(), QPoint(60 + r, 60)), kMagenta);
    QVERIFY(surfaceRgb(w(), QPoint(60 + r + 1, 60)) != kMagenta);
}

void AppearanceTest::quickConfigurations_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("points");
    QTest::addColumn<QColor>("first");
    QTest::addColumn<bool>("recorded"); // point 2 has a position
    QTest::newRow("light, 9 points") << "mnuFdCl9points" << 9 << QColor(255, 0, 0) << false;
    QTest::newRow("dark, 3 points") << "mnuFdSo3points" << 3 << QColor(255, 255, 0) << false;
    // Point 2 goes with its position: asked once, like the arrows.
    QTest::newRow("light, 1 point, point 2 recorded")
        << "mnuFdCl1point" << 1 << QColor(255, 0, 0) << true;
}

void AppearanceTest::quickConfigurations() {
    QFETCH(QString, item);
    QFETCH(int, points);
    QFETCH(QColor, first);
    QFETCH(bool, recorded);
    trigger(w(), "mnuFdSo2points"); // dark, 2 points
    QCOMPARE(w().document().pointsPerFrame(), 2);
    if (recorded) {
        QTest::mouseClick(required<UpDown>(w(), "udPointNumero")->upButton(), Qt::LeftButton);
        clickSurface(w(), QPoint(40, 40));
        m_fixture->seams.answerNext(true);
    }
    const int asked = m_fixture->seams.messages().size();
    trigger(w(), qPrintable(item));
    QCOMPARE(m_fixture->seams.messages().size(), asked + (recorded ? 1 : 0));
    QCOMPARE(w().document().pointsPerFrame(), points);
    QCOMPARE(labelText(w(), "lblPointsPlan"), QString::number(points));
    QCOMPARE(required<StringGrid>(w(), "StringGrid1")->grid()->colCount(), 2 * points + 1);
    QCOMPARE(w().document().styles().point(1).colour, first);
    QCOMPARE(required<UpDown>(w(), "udPointNumero")->isEnabled(), points > 1);
    // One choice across both palettes.
    QStringList checked;
    for (QAction* action : w().findChildren<QAction*>())
        if (action->isChecked() && action->objectName().startsWith(QLatin1String("mnuFd")))
            checked << action->objectName();
    QCOMPARE(checked, QStringList{item});
    const bool light = item.startsWith(QLatin1String("mnuFdCl"));
    QCOMPARE(required<QMenu>(w(), "mnuFondClair")->menuAction()->isChecked(), light);
    QCOMPARE(required<QMenu>(w(), "mnuFondSombre")->menuAction()->isChecked(), !light);
    // The nine items stand in three columns of three.
    QWidget* columns = required<QMenu>(w(), light ? "mnuFondClair" : "mnuFondSombre")
                           ->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(columns);
    QList<int> lefts;
    for (QToolButton* button : columns->findChildren<QToolButton*>()) {
        columns->adjustSize();
        if (!lefts.contains(button->geometry().left())) {
            lefts << button->geometry().left();
        }
    }
    QCOMPARE(lefts.size(), 3);
}

void AppearanceTest::pointDialog() {
    auto* dialog = required<TaspectPointBox>(w(), "aspectPointBox");
    auto* button = required<QToolButton>(w(), "bbtnCouleurPoint");
    const QColor before = w().document().styles().point(1).colour;
    // A colour chosen, then cancelled: the chooser starts both times on the
    // point's own colour and the second answer takes it back.
    m_fixture->seams.answerNextColour(QColor(255, 0, 255));
    m_fixture->seams.answerNextColour(std::nullopt);
    m_fixture->seams.answerNextColour(QColor(255, 0, 255));
    runModal(
        dialog, [button] { button->click(); },
        [&] {
            dialog->SpeedButton1->click();
            QCOMPARE(dialog->chosenColour(), QColor(255, 0, 255));
            dialog->SpeedButton1->click();
            QCOMPARE(dialog->chosenColour(), before);
            dialog->SpeedButton1->click();
            dialog->ptForme->button(1)->click(); // square
            dialog->OKBtn->click();
        });
    QCOMPARE(m_fixture->seams.colourRequests(), (QList<QColor>{before, before, before}));
    QCOMPARE(w().document().styles().point(1).colour, QColor(255, 0, 255));
    QCOMPARE(w().document().styles().point(1).shape, 1);
    QCOMPARE(required<QLabel>(w(), "lblPointNumero")->palette().color(QPalette::WindowText),
             QColor(255, 0, 255));
    required<QCheckBox>(w(), "chkBoxAutoV")->setChecked(false);
    clickSurface(w(), QPoint(60, 60));
    QCOMPARE(surfaceRgb(w(), QPoint(59, 59)), kMagenta); // the square's corner

    // "Annuler" changes nothing.
    runModal(
        dialog, [button] { button->click(); },
        [&] {
            dialog->ptForme->button(2)->click();
            dialog->CancelBtn->click();
        });
    QCOMPARE(w().document().styles().point(1).shape, 1);
}

void AppearanceTest::dialogsShareOneBackground() {
    // The pointer and point dialogs look like the other dialogs, in any style.
    const QColor usual = w().findChild<QDialog*>(QStringLiteral("sauverMesuresBox"))
                             ->palette()
                             .color(QPalette::Window);
    for (const char* name : {"dlgPointeur", "aspectPointBox"}) {
        auto* dialog = w().findChild<QDialog*>(QString::fromLatin1(name));
        QVERIFY(dialog);
        QCOMPARE(dialog->palette().color(QPalette::Window), usual);
        QVERIFY(!dialog->autoFillBackground());
    }
}

QTEST_MAIN(AppearanceTest)
#include "appearance.moc"
