// How pointing looks: the pointer's cursor from the menus and its dialog, in
// pointing and calibration modes; the mark size; the quick configurations;
// the point's colour and shape from its dialog.
#include "app/dialogs/dialogs.h"
#include "app/dialogs/point_appearance_dialog.h"
#include "app/dialogs/pointer_dialog.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/radio_group.h"
#include "app/up_down.h"
#include "pointing/style_table.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
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

QImage cursorImage(const QCursor& cursor) {
    return cursor.pixmap().toImage();
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
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void AppearanceTest::init() {
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
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
    const bool calibrating = mode == QLatin1String("origin");
    if (calibrating) {
        w().popUpMnuModeEtalonnerClick();
        clickBox(w().rbChxOrig);
        QCOMPARE(w().surfaceCursor, 111);
        QVERIFY(!w().mnuFormePointeur->menuAction()->isEnabled());
    }
    if (choice.startsWith(QLatin1String("dialog"))) {
        TdlgPointeur* dialog = w().dialogs->dlgPointeur;
        const bool cancel = choice.endsWith(QLatin1String("cancelled"));
        runModal(
            dialog, [this] { w().bbtnCible->click(); },
            [&] {
                QCOMPARE(dialog->rgPtForme->isEnabled(), !calibrating);
                dialog->rgPtNoirBlanc->button(1)->click();
                if (!calibrating) {
                    dialog->rgPtForme->button(0)->click();
                }
                (cancel ? dialog->CancelBtn : dialog->OKBtn)->click();
            });
    } else {
        w().findChild<QAction*>(choice)->trigger();
    }
    QCOMPARE(w().surfaceCursor, cursor);
    QCOMPARE(cursorImage(w().PaintBox1->cursor()), cursorImage(w().cursors.cursor(cursor)));
    // The menus show the pointer in force.
    QCOMPARE(w().mnuCouleurBlanc->isChecked(), cursor / 100 == 2);
    // The choice the dialog shows next time; a cancelled one is not kept.
    QCOMPARE(w().pointStyle.colourChoice == 1, cursor / 100 == 2);
    if (calibrating) {
        // Back to pointing, the chosen shape returns in the chosen colour.
        w().popUpMnuModeAcquerirClick();
        QCOMPARE(w().surfaceCursor, 202);
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
    setColour(w().tables.StyleTable, 1, QColor(255, 0, 255));
    w().chkBoxAutoV->setChecked(false);
    clickSurface(w(), QPoint(60, 60));
    for (const QString& step : how.split(QLatin1Char(' '))) {
        if (step == QLatin1String("up") || step == QLatin1String("down")) {
            QTest::mouseClick(step == QLatin1String("up") ? w().udTaillePoints->upButton()
                                                          : w().udTaillePoints->downButton(),
                              Qt::LeftButton);
        } else {
            w().findChild<QAction*>(step)->trigger();
        }
    }
    QCOMPARE(w().lblTaillePoints->text(), QString::number(shown));
    QCOMPARE(w().udTaillePoints->position(), r);
    QVERIFY(w().mnuTaille[r]->isChecked());
    // The cross spans 2r + 1 pixels.
    QCOMPARE(surfaceRgb(w(), QPoint(60 + r, 60)), kMagenta);
    QVERIFY(surfaceRgb(w(), QPoint(60 + r + 1, 60)) != kMagenta);
}

void AppearanceTest::quickConfigurations_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("points");
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("last");
    QTest::newRow("light, 9 points")
        << "mnuFdCl9points" << 9 << QColor(255, 0, 0) << QColor(0, 128, 128);
    QTest::newRow("dark, 3 points")
        << "mnuFdSo3points" << 3 << QColor(255, 255, 0) << QColor(0, 255, 0);
}

void AppearanceTest::quickConfigurations() {
    QFETCH(QString, item);
    QFETCH(int, points);
    QFETCH(QColor, first);
    QFETCH(QColor, last);
    setShape(w().tables.StyleTable, 1, 2);
    w().mnuFdCl[1]->trigger(); // light, 2 points, first
    w().findChild<QAction*>(item)->trigger();
    QCOMPARE(w().tables.pointsPerFrame(), points);
    QCOMPARE(w().udPointsPlan->position(), points);
    QCOMPARE(w().tables.MeasureTable.colCount(), 2 * points + 1);
    QCOMPARE(styleOf(w().tables.StyleTable, 1).colour, first);
    QCOMPARE(styleOf(w().tables.StyleTable, points).colour, last);
    QCOMPARE(styleOf(w().tables.StyleTable, 1).shape, 2); // shapes stay
    QVERIFY(w().udPointNumero->isEnabled());
    // One choice across both palettes.
    int checked = 0;
    for (int i = 0; i < 9; ++i) {
        checked += w().mnuFdCl[i]->isChecked() + w().mnuFdSo[i]->isChecked();
    }
    QCOMPARE(checked, 1);
    QVERIFY(w().findChild<QAction*>(item)->isChecked());
    const bool light = item.startsWith(QLatin1String("mnuFdCl"));
    QCOMPARE(w().mnuFondClair->menuAction()->isChecked(), light);
    QCOMPARE(w().mnuFondSombre->menuAction()->isChecked(), !light);
    // The nine items stand in three columns of three.
    QWidget* columns = (light ? w().mnuFondClair : w().mnuFondSombre)
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
    TaspectPointBox* dialog = w().dialogs->aspectPointBox;
    const QColor before = styleOf(w().tables.StyleTable, 1).colour;
    // A colour chosen, then cancelled: the chooser starts both times on the
    // point's own colour and the second answer takes it back.
    m_fixture->seams.answerNextColour(QColor(255, 0, 255));
    m_fixture->seams.answerNextColour(std::nullopt);
    m_fixture->seams.answerNextColour(QColor(255, 0, 255));
    runModal(
        dialog, [this] { w().bbtnCouleurPoint->click(); },
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
    QCOMPARE(styleOf(w().tables.StyleTable, 1).colour, QColor(255, 0, 255));
    QCOMPARE(styleOf(w().tables.StyleTable, 1).shape, 1);
    QCOMPARE(w().lblPointNumero->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    w().chkBoxAutoV->setChecked(false);
    clickSurface(w(), QPoint(60, 60));
    QCOMPARE(surfaceRgb(w(), QPoint(59, 59)), kMagenta); // the square's corner

    // "Annuler" changes nothing.
    runModal(
        dialog, [this] { w().bbtnCouleurPoint->click(); },
        [&] {
            dialog->ptForme->button(2)->click();
            dialog->CancelBtn->click();
        });
    QCOMPARE(styleOf(w().tables.StyleTable, 1).shape, 1);
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
