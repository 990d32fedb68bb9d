#include "app/main_window.h"
#include "app/cursors.h"
#include "app/hint_tracker.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "clip/file_utils.h"
#include "support/clip_opening.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

using namespace traxilo;
using traxilo::test::MainWindowFixture;

namespace {

// A widget, an action or a menu of the window by its objectName.
QObject* byName(TForm1& w, const QString& name) {
    if (auto* widget = w.findChild<QWidget*>(name)) {
        return widget;
    }
    return w.findChild<QAction*>(name);
}

bool isEnabled(QObject* object) {
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        return menu->menuAction()->isEnabled();
    }
    if (auto* action = qobject_cast<QAction*>(object)) {
        return action->isEnabled();
    }
    return static_cast<QWidget*>(object)->isEnabled();
}

// Menu captions as shown, without the "&" of their access key.
QString withoutAccessKey(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
}

QString caption(QObject* object) {
    if (auto* menu = qobject_cast<QMenu*>(object)) {
        return withoutAccessKey(menu->title());
    }
    if (auto* action = qobject_cast<QAction*>(object)) {
        return withoutAccessKey(action->text());
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return label->text();
    }
    return {};
}

void enter(QWidget* widget) {
    const QPointF local(1, 1);
    QEnterEvent event(local, local, widget->mapToGlobal(local));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// What Qt shows for a hover, or an empty text when tooltips are off.
QString tooltipFor(QWidget* widget) {
    QToolTip::hideText(); // hides after a short delay
    for (int waited = 0; QToolTip::isVisible() && waited < 2000; waited += 10) {
        QTest::qWait(10);
    }
    const QPoint local(2, 2);
    QHelpEvent event(QEvent::ToolTip, local, widget->mapToGlobal(local));
    QApplication::sendEvent(widget, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

bool bit(const QBitmap& bitmap, QPoint p) {
    return qGray(bitmap.toImage().pixel(p)) < 128;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startState();
    void enabledUntilClip_data();
    void enabledUntilClip();
    void captions_data();
    void captions();
    void checkMarks();
    void hintsToStatusBar();
    void tooltipsFollowBullesDAide();
    void quitQuestion_data();
    void quitQuestion();
    void resizeRule();
    void resizeFitsClipPath();
    void pointSizeArrowsStayVisible();
    void pageChangeCheckMarks_data();
    void pageChangeCheckMarks();
    void redrawTimer();
    void pointingSurface();
    void cursorRegistry();
    void cursorHotSpots_data();
    void cursorHotSpots();
    void cursorPictures();
};

void MainWindowTest::startState() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;

    QCOMPARE(w.windowTitle(), QStringLiteral("Traxilo v.2.7"));
    QCOMPARE(w.pnl1AVI->text(), QStringLiteral("Traxilo v.2.7"));
    QCOMPARE(w.pnl1AVI->size(), QSize(359, 279));
    QCOMPARE(w.pnl1AVI->palette().color(QPalette::Window), QColor(242, 159, 34));
    QVERIFY(w.pnl1AVI->font().bold() && w.pnl1AVI->font().italic());
    QCOMPARE(w.pnl1AVI->font().pixelSize(), 37);
    QCOMPARE(w.PageControl1->currentWidget(), w.tsMesures);
    QCOMPARE(w.PageControl1->count(), 3);
    QCOMPARE(w.PageControl1->tabText(1), QStringLiteral("Etalonnage"));
    QCOMPARE(w.PageControl1->tabText(2), QStringLiteral("Propriétés du clip"));
    QCOMPARE(w.size(), QSize(620, 465));
    QCOMPARE(w.Splitter1->handleWidth(), 2);

    // Shared state after creation.
    QCOMPARE(w.currentFrame, -1);
    QCOMPARE(w.xyDigits(), 3);
    QVERIFY(w.tFormat().isEmpty());
    QCOMPARE(w.LastPanelWidth, 410);
    QCOMPARE(w.LastWindowWidth, 620);
    QCOMPARE(w.pointStyle.pointerColour * 100 + w.pointStyle.pointerShape, 102);
    QCOMPARE(w.pointStyle.markSize, 1);
    QCOMPARE(w.PageControl1HelpContext, 210);
    QVERIFY(!w.redrawPending && !w.tables.silentClear);
    QCOMPARE(w.Calibration.Xo, 0);
    QCOMPARE(w.Calibration.signY, 1);

    // The working folder, not the executable's, holds the settings.
    QCOMPARE(w.StartupFolder, f.folder());
    QVERIFY(QFile::exists(f.folder() + QStringLiteral("/txconfig.txt")));
    QCOMPARE(w.config.ConfigLines[4], f.folder());

    QCOMPARE(w.StatusBar1->height(), 19);
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(w.Timer1->interval(), 40);
    QVERIFY(!w.Timer2->isActive());
    QCOMPARE(w.Timer2->interval(), 500);
    QCOMPARE(w.Timer3->interval(), 500);
    QVERIFY(w.loupePnl->isHidden());
    QCOMPARE(w.lblEchEtapOrdre->text(), QStringLiteral("L'ordre des étapes 1 à 4 est indifférent"));
    QCOMPARE(w.udTaillePoints->position(), 1);
    QCOMPARE(w.udTaillePoints->maximum(), 4);
    QCOMPARE(w.bbtnSui->property("tag").toInt(), 6);
    QVERIFY(f.seams.messages().isEmpty());
}

void MainWindowTest::enabledUntilClip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    for (const char* name : {"bbtnOpenAvi", "BitBtn1", "BitBtn3", "bbtnQuitter", "mnuOuvrirClip",
                             "mnuAccesClips", "mnuRegPath", "mnuQuitter", "popUpMnuAide",
                             "SommaireDelAide1", "Aide2", "Aide3", "aPropos1"}) {
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    }
    for (const char* name : {"bbtnIma",
                             "loupeBtn",
                             "bbtnCible",
                             "Panel7",
                             "bbtnRegExec",
                             "bbtnCopierMesuresPP",
                             "bbtnCopierGraphiquePP",
                             "bbtnEnregistrerMesures",
                             "bbtnImprimer",
                             "bbtnPlay",
                             "bbtnDeb",
                             "bbtnFin",
                             "bbtnPre",
                             "bbtnSui",
                             "mnuMesures",
                             "mnuRegExec",
                             "mnuClip",
                             "mnuPointages",
                             "popUpMenuAtteindre",
                             "popUpMnuModeAcquerir",
                             "popUpMnuModeEtalonner",
                             "popUpMnuModeProClip",
                             "popUpMnuPointeur",
                             "LoupePopupMnu"}) {
        QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
}

void MainWindowTest::enabledUntilClip() {
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    MainWindowFixture f;
    QObject* object = byName(*f.window, name);
    QVERIFY2(object, qPrintable(name));
    QCOMPARE(isEnabled(object), enabled);
}

void MainWindowTest::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const char* rows[][2] = {
        {"mnuFichiers", "Fichiers"},
        {"mnuOuvrirClip", "Ouvrir un clip vidéo..."},
        {"mnuAccesClips", "Accès aux clips..."},
        {"mnuCopierPP", "Copier dans le presse-papier"},
        {"mnuSaveRW3", "format Regressi Windows (*.rw3)"},
        {"mnuSaveTXT", "format Texte (*.txt)"},
        {"mnuRegPath", "Définir le chemin d'accès"},
        {"mnuRegExec", "Exécuter Regressi"},
        {"mnuIma100", "100%"},
        {"mnuPetiteCible", "  Petite cible"},
        {"mnuCouleurBlanc", "  Blanc"},
        {"mnuTaile4", "  4"},
        {"mnuAutoH", "  Horizontalement"},
        {"mnuFdCl1point", "1 point"},
        {"mnuFdSo9points", "9 points"},
        {"CommentExploiterLesDonnees1", "exploiter les données ?"},
        {"CommentEtalonner2", "étalonner ?"},
        {"Aidedesmenus2", "Aide des menus"},
        {"Aide2", "Aide dans la barre d'état"},
        {"Aide3", "Bulles d'aide"},
        {"aPropos1", "A propos de Traxilo..."},
        {"popUpMenuAtteindre", "atteindre l'image"},
        {"popUpMnuModeAcquerir", "Acquérir"},
        {"popUpMnuModeProClip", "Propriétés du clip"},
        {"lblNoImage1", "image n° "},
        {"lblNoImage2", "0"},
        {"lblNoImage3", " / "},
        {"lblNoImage4", "0"},
        {"lblNoImage5", ""},
        {"lblTaillePoints", "2"},
        {"lblUMetres", "mètres"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromUtf8(row[1]);
    }
}

void MainWindowTest::captions() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    MainWindowFixture f;
    QObject* object = byName(*f.window, name);
    QVERIFY2(object, qPrintable(name));
    QCOMPARE(caption(object), text);
}

void MainWindowTest::checkMarks() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QList<QString> checked;
    for (QAction* action : w.findChildren<QAction*>()) {
        if (action->isChecked()) {
            checked.append(action->objectName());
        }
    }
    std::sort(checked.begin(), checked.end());
    QList<QString> expected = {QStringLiteral("Aide2"),
                               QStringLiteral("mnuAutoH"),
                               QStringLiteral("mnuAutoV"),
                               QStringLiteral("mnuCouleurNoir"),
                               QStringLiteral("mnuPetiteCible"),
                               QStringLiteral("mnuTaille2"),
                               QStringLiteral("popUpMnuModeAcquerir")};
    std::sort(expected.begin(), expected.end());
    QCOMPARE(checked, expected);
}

void MainWindowTest::hintsToStatusBar() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    enter(w.bbtnQuitter);
    QCOMPARE(w.statusText(), QStringLiteral("Quitter Traxilo avec regrets :-(("));
    enter(w.bbtnIma);
    QCOMPARE(w.statusText(), QStringLiteral("Modifier la taille de l'image en % de l'original"));
    leave(w.bbtnIma);
    QCOMPARE(w.statusText(), QString());
    enter(w.loupeBtn); // a hint without a bar is both parts
    QCOMPARE(w.statusText(), QStringLiteral("Montrer / Cacher la loupe"));

    // Unchecked: the bar folds to 0 pixels, keeps its text and stops following.
    w.Aide2->trigger();
    QVERIFY(!w.Aide2->isChecked());
    QTRY_COMPARE(w.StatusBar1->height(), 0);
    QCOMPARE(w.statusText(), QStringLiteral("Montrer / Cacher la loupe"));
    enter(w.bbtnOpenAvi);
    QCOMPARE(w.statusText(), QStringLiteral("Montrer / Cacher la loupe"));

    w.Aide2->trigger();
    QVERIFY(w.Aide2->isChecked());
    QTRY_COMPARE(w.StatusBar1->height(), 19);
    enter(w.bbtnPlay);
    QCOMPARE(w.statusText(), QStringLiteral("Jouer le clip"));
}

void MainWindowTest::tooltipsFollowBullesDAide() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Before the first hint change the toolkit's default holds: tooltips on,
    // showing the short part with its line break.
    QCOMPARE(tooltipFor(w.bbtnIma), QStringLiteral("Taille de l'image\n(% de l'original)"));

    enter(w.bbtnQuitter); // first hint change: "Bulles d'aide" is unchecked
    QCOMPARE(tooltipFor(w.bbtnQuitter), QString());

    w.Aide3->trigger();
    QVERIFY(w.Aide3->isChecked());
    QCOMPARE(tooltipFor(w.bbtnQuitter), QString()); // not before the next hint change
    enter(w.bbtnOpenAvi);
    QCOMPARE(tooltipFor(w.bbtnOpenAvi), QStringLiteral("Ouvrir un clip vidéo"));

    w.Aide3->trigger();
    enter(w.bbtnQuitter);
    QCOMPARE(tooltipFor(w.bbtnQuitter), QString());
    QToolTip::hideText();
}

void MainWindowTest::quitQuestion_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("yes");
    const char* ways[] = {"menu", "button", "close box"};
    for (int way = 0; way < 3; ++way) {
        QTest::addRow("%s, no", ways[way]) << way << false;
        QTest::addRow("%s, yes", ways[way]) << way << true;
    }
}

void MainWindowTest::quitQuestion() {
    QFETCH(int, way);
    QFETCH(bool, yes);
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.seams.answerNext(yes);

    if (way == 0) {
        w.mnuQuitter->trigger();
    } else if (way == 1) {
        QTest::mouseClick(w.bbtnQuitter, Qt::LeftButton);
    } else {
        w.close();
    }

    QCOMPARE(f.seams.messages().size(), 1);
    QCOMPARE(f.seams.messages().first().kind, MessageKind::Confirmation);
    QCOMPARE(f.seams.lastText(), QStringLiteral("Voulez-vous vraiment quitter ?"));
    QCOMPARE(w.isVisible(), !yes);
}

void MainWindowTest::resizeRule() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Showing resized the window once: 620 x 410 / 620 + 1.
    QCOMPARE(w.width(), 620);
    QCOMPARE(w.pnl1->width(), 411);
    QCOMPARE(w.LastPanelWidth, 411);
    QCOMPARE(w.LastWindowWidth, 620);

    // A resize that leaves the width alone still widens the clip area.
    QResizeEvent same(w.size(), w.size());
    QApplication::sendEvent(&w, &same);
    QCOMPARE(w.pnl1->width(), 412);
    QCOMPARE(w.LastPanelWidth, 412);

    w.resize(930, 465);
    QTRY_COMPARE(w.width(), 930);
    QCOMPARE(w.pnl1->width(), 930 * 412 / 620 + 1);
    QCOMPARE(w.LastWindowWidth, 930);
    QVERIFY(w.displaySize.fitRequested);

    // Moving the splitter is not recorded: the next resize uses the share of
    // the previous one.
    const int recorded = w.LastPanelWidth;
    w.Splitter1->setSizes({200, w.Splitter1->width() - 202});
    QCOMPARE(w.pnl1->width(), 200);
    QApplication::sendEvent(&w, &same);
    QCOMPARE(w.LastPanelWidth, 930 * recorded / 930 + 1);
}

void MainWindowTest::resizeFitsClipPath() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.OpenDialog1FileName = QStringLiteral(
        "/home/enseignant/physique/mecanique/chute libre/series 2024/essai numero 12/clip.avi");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    const int width = w.lblNomAvi->width();
    QCOMPARE(w.lblNomAvi->text(),
             FitPath(w.OpenDialog1FileName, w.lblNomAvi->fontMetrics(), width));
    QVERIFY(w.lblNomAvi->text().endsWith(QStringLiteral("/clip.avi")));
    QVERIFY(w.lblNomAvi->text() != w.OpenDialog1FileName); // it had to be shortened

    // The label takes the rest of the bar but leaves "Quitter" on it, at the
    // restored size and wider, not in the bar's overflow menu.
    for (int windowWidth : {620, 1280}) {
        w.resize(windowWidth, 465);
        QTRY_COMPARE(w.width(), windowWidth);
        QTRY_VERIFY(w.bbtnQuitter->isVisible());
        QTRY_VERIFY(w.lblNomAvi->geometry().right() < w.bbtnQuitter->x());
        QVERIFY(w.bbtnQuitter->geometry().right() < w.ToolBar1->width());
        QVERIFY(w.lblNomAvi->width() > w.ToolBar1->width() - w.lblNomAvi->x() - 80);
    }
}

void MainWindowTest::pointSizeArrowsStayVisible() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(traxilo::test::openClipThroughDialog(w, f.seams, traxilo::test::smallClip(3)));

    // Opening a clip paints the point size box teal with light text; its
    // arrows keep the standard button colours instead of vanishing into it.
    QCOMPARE(w.Panel7->palette().color(QPalette::Window), QColor(0, 128, 128));
    for (QToolButton* arrow : {w.udTaillePoints->upButton(), w.udTaillePoints->downButton()}) {
        QVERIFY(arrow->isEnabled());
        const QPalette standard = QApplication::palette(arrow);
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Button, QPalette::Window}) {
            QCOMPARE(arrow->palette().color(role), standard.color(role));
        }
    }
}

void MainWindowTest::pageChangeCheckMarks_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("byPopup");
    for (int page = 0; page < 3; ++page) {
        QTest::addRow("tab %d", page) << page << false;
        QTest::addRow("popup %d", page) << page << true;
    }
}

void MainWindowTest::pageChangeCheckMarks() {
    QFETCH(int, page);
    QFETCH(bool, byPopup);
    MainWindowFixture f;
    TForm1& w = *f.window;
    QAction* items[] = {w.popUpMnuModeAcquerir, w.popUpMnuModeEtalonner, w.popUpMnuModeProClip};

    // Start away from the page under test, so that choosing it is a change.
    w.PageControl1->setCurrentIndex((page + 1) % 3);
    if (byPopup) {
        items[page]->setEnabled(true); // as a clip opening does
        items[page]->trigger();
    } else {
        w.PageControl1->setCurrentIndex(page);
    }

    QCOMPARE(w.PageControl1->currentIndex(), page);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(items[i]->isChecked(), i == page);
    }
    // Without a clip the help context and the redraw request stay as they were.
    QCOMPARE(w.PageControl1HelpContext, 210);
    QVERIFY(!w.redrawPending);
    // Calibration takes the pointer shape out of the menu, pointing does not
    // give it back before a clip is open.
    QCOMPARE(w.mnuFormePointeur->menuAction()->isEnabled(), page != 1 && (page + 1) % 3 != 1);
}

void MainWindowTest::redrawTimer() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.redrawPending = true;
    QTRY_VERIFY_WITH_TIMEOUT(!w.redrawPending, 1000);
}

void MainWindowTest::pointingSurface() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    PaintBox* box = w.PaintBox1;
    QCOMPARE(box->pos(), QPoint(4, 4));

    // The surface shows its image as it is.
    QImage picture(box->size(), QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    picture.setPixel(5, 7, qRgb(255, 0, 0));
    box->setImage(picture);
    const QImage shown = box->grab().toImage();
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(10, 200, 30));
    QCOMPARE(QColor(shown.pixel(5, 7)), QColor(255, 0, 0));

    // Mouse events leave with the surface position; the pop-up menu comes
    // after the right button's release.
    QList<QPoint> ups;
    connect(box, &PaintBox::mouseUp, this,
            [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint p) { ups.append(p); });
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(20, 30));
    QVERIFY(!w.PopupMenu1->isVisible());
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(40, 50));
    QCOMPARE(ups, (QList<QPoint>{QPoint(20, 30), QPoint(40, 50)}));
    QTRY_VERIFY(w.PopupMenu1->isVisible());
    w.PopupMenu1->hide();
}

void MainWindowTest::cursorRegistry() {
    MainWindowFixture f;
    const CursorRegistry& registry = f.window->cursors;
    const QList<int> numbers = {50,  51,  101, 102, 103, 201, 202, 203, 111, 112,
                                113, 114, 211, 212, 213, 214, 141, 142, 241, 242};
    QCOMPARE(registry.numbers(), numbers);
    for (int number : numbers) {
        const QCursor cursor = registry.cursor(number);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.bitmap().size(), QSize(32, 32));
        QCOMPARE(cursor.mask().size(), QSize(32, 32));
    }
    QVERIFY(!registry.contains(104));
    QCOMPARE(registry.cursor(104).shape(), Qt::ArrowCursor);
}

void MainWindowTest::cursorHotSpots_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QPoint>("hotSpot");
    const int targets[] = {101, 102, 103, 201, 202, 203, 141, 142, 241, 242};
    for (int n : targets) {
        QTest::addRow("%d", n) << n << QPoint(11, 11);
    }
    QTest::newRow("50") << 50 << QPoint(15, 14);
    QTest::newRow("51") << 51 << QPoint(15, 14);
    const QPoint origins[] = {{7, 24}, {24, 24}, {7, 7}, {24, 7}};
    for (int i = 0; i < 4; ++i) {
        QTest::addRow("%d", 111 + i) << 111 + i << origins[i];
        QTest::addRow("%d", 211 + i) << 211 + i << origins[i];
    }
}

void MainWindowTest::cursorHotSpots() {
    QFETCH(int, number);
    QFETCH(QPoint, hotSpot);
    MainWindowFixture f;
    const QCursor cursor = f.window->cursors.cursor(number);
    QCOMPARE(cursor.hotSpot(), hotSpot);
    // Every cursor but the cross marks its hot spot; the hands are filled there.
    const bool cross = number % 100 == 3;
    const bool scale = number % 100 == 41 || number % 100 == 42;
    QCOMPARE(bit(cursor.mask(), hotSpot), !cross && !scale);
}

void MainWindowTest::cursorPictures() {
    MainWindowFixture f;
    const CursorRegistry& r = f.window->cursors;
    // Black ink is bitmap and mask, white ink is mask alone.
    QVERIFY(bit(r.cursor(101).bitmap(), {20, 11}) && bit(r.cursor(101).mask(), {20, 11}));
    QVERIFY(!bit(r.cursor(201).bitmap(), {20, 11}) && bit(r.cursor(201).mask(), {20, 11}));
    // Large target: ring of radius 9; small target: ring of radius 5, arms to 9.
    QVERIFY(bit(r.cursor(101).mask(), {11, 2}));
    QVERIFY(!bit(r.cursor(101).mask(), {12, 12}));
    QVERIFY(bit(r.cursor(102).mask(), {16, 11}));
    QVERIFY(bit(r.cursor(102).mask(), {11, 20}));
    QVERIFY(!bit(r.cursor(102).mask(), {11, 21}));
    QVERIFY(!bit(r.cursor(102).mask(), {13, 11})); // the gap near the centre
    // Origin cursors: the arrow heads point the positive ways.
    QVERIFY(bit(r.cursor(111).mask(), {30, 23})); // x to the right
    QVERIFY(!bit(r.cursor(111).mask(), {1, 23}));
    QVERIFY(bit(r.cursor(112).mask(), {1, 23})); // x to the left
    QVERIFY(bit(r.cursor(111).mask(), {6, 1}));  // y upwards
    QVERIFY(bit(r.cursor(113).mask(), {6, 30})); // y downwards
    QVERIFY(!bit(r.cursor(113).mask(), {6, 1}));
    // Scale cursors carry their label below the cross, and differ by it.
    const QImage p1 = CursorRegistry::standardImage(141);
    const QImage p2 = CursorRegistry::standardImage(142);
    QVERIFY(p1 != p2);
    QCOMPARE(p1.copy(0, 0, 32, 19), p2.copy(0, 0, 32, 19));
}

QTEST_MAIN(MainWindowTest)
#include "main_window.moc"
