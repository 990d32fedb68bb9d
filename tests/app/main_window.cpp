#include "app/main_window.h"
#include "app/cursors.h"
#include "app/dialogs/help_window.h"
#include "app/hint_tracker.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "clip/file_utils.h"
#include "document/measurement_document.h"
#include "support/clip_opening.h"
#include "support/generated_clips.h"
#include "support/main_window_fixture.h"
#include "support/measure_window.h"

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
using namespace traxilo::test;

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

QWidget* named(const TForm1& w, const char* name) {
    return widgetNamed(w, QString::fromLatin1(name));
}

QString statusText(const TForm1& w) {
    return child<QStatusBar>(w, "StatusBar1")->currentMessage();
}

// The cursors the window registers, under the same numbers.
CursorRegistry standardCursors() {
    CursorRegistry registry;
    registry.registerStandardCursors();
    return registry;
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
    auto* clipPanel = child<QLabel>(w, "pnl1AVI");
    QCOMPARE(clipPanel->text(), QStringLiteral("Traxilo v.2.7"));
    QCOMPARE(clipPanel->size(), QSize(359, 279));
    QCOMPARE(clipPanel->palette().color(QPalette::Window), QColor(242, 159, 34));
    QVERIFY(clipPanel->font().bold() && clipPanel->font().italic());
    QCOMPARE(clipPanel->font().pixelSize(), 37);
    auto* pages = child<QTabWidget>(w, "PageControl1");
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("tsMesures"));
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(1), QStringLiteral("Graphes"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Etalonnage"));
    QCOMPARE(pages->tabText(3), QStringLiteral("Propriétés du clip"));
    QCOMPARE(w.size(), QSize(620, 465));
    QCOMPARE(child<QSplitter>(w, "Splitter1")->handleWidth(), 2);
    QCOMPARE(frameShown(w), -1);

    // The working folder, not the executable's, holds the settings, and the
    // clips are looked for there at first.
    QFile settings(f.folder() + QStringLiteral("/txconfig.txt"));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(settings.readAll()).split(QStringLiteral("\r\n")).value(4),
             f.folder());

    QCOMPARE(child<QStatusBar>(w, "StatusBar1")->height(), 19);
    QVERIFY(named(w, "loupePnl")->isHidden());
    QCOMPARE(labelText(w, "lblEchEtapOrdre"),
             QStringLiteral("L'ordre des étapes 1 à 4 est indifférent"));
    auto* markSize = child<UpDown>(w, "udTaillePoints");
    QCOMPARE(markSize->position(), w.document().markSize());
    QCOMPARE(markSize->position(), 1);
    QCOMPARE(markSize->maximum(), 4);
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

    enter(named(w, "bbtnQuitter"));
    QCOMPARE(statusText(w), QStringLiteral("Quitter Traxilo avec regrets :-(("));
    enter(named(w, "bbtnIma"));
    QCOMPARE(statusText(w), QStringLiteral("Modifier la taille de l'image en % de l'original"));
    leave(named(w, "bbtnIma"));
    QCOMPARE(statusText(w), QString());
    enter(named(w, "loupeBtn")); // a hint without a bar is both parts
    QCOMPARE(statusText(w), QStringLiteral("Montrer / Cacher la loupe"));

    // Unchecked: the bar folds to 0 pixels, keeps its text and stops following.
    auto* inStatusBar = child<QAction>(w, "Aide2");
    auto* bar = child<QStatusBar>(w, "StatusBar1");
    inStatusBar->trigger();
    QVERIFY(!inStatusBar->isChecked());
    QTRY_COMPARE(bar->height(), 0);
    QCOMPARE(statusText(w), QStringLiteral("Montrer / Cacher la loupe"));
    enter(named(w, "bbtnOpenAvi"));
    QCOMPARE(statusText(w), QStringLiteral("Montrer / Cacher la loupe"));

    inStatusBar->trigger();
    QVERIFY(inStatusBar->isChecked());
    QTRY_COMPARE(bar->height(), 19);
    enter(named(w, "bbtnPlay"));
    QCOMPARE(statusText(w), QStringLiteral("Jouer le clip"));
}

void MainWindowTest::tooltipsFollowBullesDAide() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget* quit = named(w, "bbtnQuitter");
    QWidget* open = named(w, "bbtnOpenAvi");
    auto* bubbles = child<QAction>(w, "Aide3");

    // Before the first hint change the toolkit's default holds: tooltips on,
    // showing the short part with its line break.
    QCOMPARE(tooltipFor(named(w, "bbtnIma")),
             QStringLiteral("Taille de l'image\n(% de l'original)"));

    enter(quit); // first hint change: "Bulles d'aide" is unchecked
    QCOMPARE(tooltipFor(quit), QString());

    bubbles->trigger();
    QVERIFY(bubbles->isChecked());
    QCOMPARE(tooltipFor(quit), QString()); // not before the next hint change
    enter(open);
    QCOMPARE(tooltipFor(open), QStringLiteral("Ouvrir un clip vidéo"));

    bubbles->trigger();
    enter(quit);
    QCOMPARE(tooltipFor(quit), QString());
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
        trigger(w, "mnuQuitter");
    } else if (way == 1) {
        QTest::mouseClick(named(w, "bbtnQuitter"), Qt::LeftButton);
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
    QWidget* clipArea = named(w, "pnl1");

    // Showing resized the window once: 620 x 410 / 620 + 1.
    QCOMPARE(w.width(), 620);
    QCOMPARE(clipArea->width(), 411);

    // A resize that leaves the width alone still widens the clip area.
    QResizeEvent same(w.size(), w.size());
    QApplication::sendEvent(&w, &same);
    QCOMPARE(clipArea->width(), 412);

    // A new size of the window offers "Adapter" again.
    auto* adapt = child<QAction>(w, "mnuImaAdapter");
    adapt->setEnabled(false); // as when the clip is fitted
    w.resize(930, 465);
    QTRY_COMPARE(w.width(), 930);
    QCOMPARE(clipArea->width(), 930 * 412 / 620 + 1);
    QVERIFY(adapt->isEnabled());

    // Moving the splitter is not recorded: the next resize uses the share of
    // the previous one.
    const int recorded = clipArea->width();
    auto* splitter = child<QSplitter>(w, "Splitter1");
    splitter->setSizes({200, splitter->width() - 202});
    QCOMPARE(clipArea->width(), 200);
    QApplication::sendEvent(&w, &same);
    QCOMPARE(clipArea->width(), 930 * recorded / 930 + 1);
}

void MainWindowTest::resizeFitsClipPath() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    // A clip deep in a teacher's folders.
    const QString folder =
        testing::scratchFolder() + QStringLiteral("/physique/mecanique/chute libre/series 2024/"
                                                  "essai numero 12");
    const QString path = folder + QStringLiteral("/clip.avi");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::exists(path) || QFile::copy(smallClip(3), path));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.openClipFile(path));

    auto* name = child<QLabel>(w, "lblNomAvi");
    QWidget* quit = named(w, "bbtnQuitter");
    QWidget* bar = named(w, "ToolBar1");
    QCOMPARE(name->text(), FitPath(path, name->fontMetrics(), name->width()));
    QVERIFY(name->text().endsWith(QStringLiteral("/clip.avi")));
    QVERIFY(name->text() != path); // it had to be shortened

    // The label takes the rest of the bar but leaves "Quitter" on it, at the
    // restored size and wider, not in the bar's overflow menu.
    for (int windowWidth : {620, 1280}) {
        w.resize(windowWidth, 465);
        QTRY_COMPARE(w.width(), windowWidth);
        QTRY_VERIFY(quit->isVisible());
        QTRY_VERIFY(name->geometry().right() < quit->x());
        QVERIFY(quit->geometry().right() < bar->width());
        QVERIFY(name->width() > bar->width() - name->x() - 80);
        QCOMPARE(name->text(), FitPath(path, name->fontMetrics(), name->width()));
    }
}

void MainWindowTest::pointSizeArrowsStayVisible() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(3)));

    // Opening a clip paints the point size box teal with light text; its
    // arrows keep the standard button colours instead of vanishing into it.
    QCOMPARE(named(w, "Panel7")->palette().color(QPalette::Window), QColor(0, 128, 128));
    auto* markSize = child<UpDown>(w, "udTaillePoints");
    for (QToolButton* arrow : {markSize->upButton(), markSize->downButton()}) {
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
    QAction* items[] = {child<QAction>(w, "popUpMnuModeAcquerir"),
                        child<QAction>(w, "popUpMnuModeEtalonner"),
                        child<QAction>(w, "popUpMnuModeProClip")};
    auto* pages = child<QTabWidget>(w, "PageControl1");
    // The pages of the three work modes ("Graphes" sits between the first two).
    QWidget* modePages[] = {child<QWidget>(w, "tsMesures"), child<QWidget>(w, "tsEtalon"),
                            child<QWidget>(w, "tsProClip")};

    // Start away from the page under test, so that choosing it is a change.
    pages->setCurrentWidget(modePages[(page + 1) % 3]);
    if (byPopup) {
        items[page]->setEnabled(true); // as a clip opening does
        items[page]->trigger();
    } else {
        pages->setCurrentWidget(modePages[page]);
    }

    QCOMPARE(pages->currentWidget(), modePages[page]);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(items[i]->isChecked(), i == page);
    }
    // Without a clip the help stays on the page of the start.
    QTest::mouseClick(named(w, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(child<HelpWindow>(w, "HelpWindow")->currentTopic(), 210);
    // Calibration takes the pointer shape out of the menu, pointing does not
    // give it back before a clip is open.
    QCOMPARE(child<QMenu>(w, "mnuFormePointeur")->menuAction()->isEnabled(),
             page != 1 && (page + 1) % 3 != 1);
}

void MainWindowTest::redrawTimer() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(3)));
    // Something drawn over the picture stays until a redraw is asked
    // ("Acquérir" asks one); the timer then draws the frame and its marks anew.
    QTest::qWait(100); // the redraw the opening asked for
    auto* surface = child<PaintBox>(w, "PaintBox1");
    surface->image().fill(Qt::red);
    QTest::qWait(100);
    QCOMPARE(surfaceRgb(w, QPoint(10, 10)), 0xFF0000u);
    trigger(w, "popUpMnuModeAcquerir");
    QTRY_VERIFY_WITH_TIMEOUT(surfaceRgb(w, QPoint(10, 10)) != 0xFF0000u, 1000);
    QCOMPARE(shownFrame(w), 0);
}

void MainWindowTest::pointingSurface() {
    MainWindowFixture f;
    TForm1& w = *f.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* box = child<PaintBox>(w, "PaintBox1");
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
    auto* popup = child<QMenu>(w, "PopupMenu1");
    QVERIFY(!popup->isVisible());
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(40, 50));
    QCOMPARE(ups, (QList<QPoint>{QPoint(20, 30), QPoint(40, 50)}));
    QTRY_VERIFY(popup->isVisible());
    popup->hide();
}

void MainWindowTest::cursorRegistry() {
    const CursorRegistry registry = standardCursors();
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
    const QCursor cursor = standardCursors().cursor(number);
    QCOMPARE(cursor.hotSpot(), hotSpot);
    // Every cursor but the cross marks its hot spot; the hands are filled there.
    const bool cross = number % 100 == 3;
    const bool scale = number % 100 == 41 || number % 100 == 42;
    QCOMPARE(bit(cursor.mask(), hotSpot), !cross && !scale);
}

void MainWindowTest::cursorPictures() {
    const CursorRegistry r = standardCursors();
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
