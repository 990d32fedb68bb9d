// Opening a clip in the main window, moving through its frames and playing
// it, on the real widgets with generated clips whose every frame carries its
// index; failures must leave a clear French error and a coherent window.
#include "support/clip_opening.h"
#include "app/cursors.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "clip/clip_player.h"
#include "document/measurement_document.h"
#include "support/avi_bytes.h"
#include "support/generated_clips.h"
#include "support/main_window_fixture.h"
#include "support/measure_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QString fileLine(const QString& path, int index) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("<unreadable>");
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    return index < lines.size() ? QString::fromUtf8(lines.at(index)).remove(QLatin1Char('\r'))
                                : QStringLiteral("<missing>");
}

QToolButton* button(const TForm1& w, const char* name) {
    return child<QToolButton>(w, name);
}

// Enabled state of play, first, last, previous, next.
QString navStates(const TForm1& w) {
    QString s;
    for (const char* name : {"bbtnPlay", "bbtnDeb", "bbtnFin", "bbtnPre", "bbtnSui"}) {
        s += button(w, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return s;
}

// The frame number the navigation bar shows, as "n / count".
QString frameNumber(const TForm1& w) {
    return labelText(w, "lblNoImage2") + labelText(w, "lblNoImage3") + labelText(w, "lblNoImage4");
}

ClipPlayer* player(const TForm1& w) {
    return child<ClipPlayer>(w, "MediaPlayer1");
}
QWidget* clipPanel(const TForm1& w) {
    return widgetNamed(w, QStringLiteral("pnl1AVI"));
}
PaintBox* surface(const TForm1& w) {
    return child<PaintBox>(w, "PaintBox1");
}
QString currentPage(const TForm1& w) {
    return child<QTabWidget>(w, "PageControl1")->currentWidget()->objectName();
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button) {
    const QPointF l(local);
    QMouseEvent event(type, l, l, widget->mapToGlobal(l), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QImage cursorPicture(const QCursor& cursor) {
    return cursor.bitmap().toImage();
}

bool showWindow(TForm1& w) {
    w.resize(900, 600);
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

} // namespace

class ClipOpeningTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void openingSetsUpTheWindow();
    void nonAviClipTakesTheBackendsCode();
    void navigation_data();
    void navigation();
    void oneFrameClip();
    void playbackToTheEnd();
    void playStoppedOnTheFrameReached();
    void timeOriginMark();
    void failures_data();
    void failures();
    void truncatedClipOpensWhatRemains();
    void reopeningReplacesTheClip();
    void openingClearsMeasurementsSilently();
    void repaintShowsTheFrameOnlyWhenLost();
    void undecodableFrameSaysSo();
    void draggingThePanel();
    void commandLinePathIsMadeAbsolute();
};

void ClipOpeningTest::initTestCase() {
    QVERIFY2(!smallClip(20).isEmpty(), "the clip generator failed");
}

void ClipOpeningTest::openingSetsUpTheWindow() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QString path = smallClip(20);

    QVERIFY(openClipThroughDialog(w, f.seams, path));

    QCOMPARE(f.seams.fileRequests().size(), 1);
    const FileDialogRequest& request = f.seams.fileRequests().first();
    // Its title and filters: test open_dialog.
    // The settings file exists from start-up: the dialog starts in line 5.
    QCOMPARE(request.startFolder, QDir::currentPath());
    QVERIFY(request.selectionChanged);

    // The clip's facts as the document holds them (the page shows them:
    // test clip_properties).
    const DocumentClip& clip = w.document().clip();
    QCOMPARE(clip.path, QFileInfo(path).absoluteFilePath());
    QCOMPARE(clip.frameCount, 20);
    QVERIFY(qAbs(double(clip.period) - 0.04) < 1e-9);
    QCOMPARE(clip.pictureSize, QSize(320, 240));
    QCOMPARE(clip.codec.toUpper(), QStringLiteral("MJPG"));

    QCOMPARE(frameShown(w), 0);
    QCOMPARE(shownFrame(w), 0);
    QCOMPARE(labelText(w, "lblNoImage1"), QStringLiteral("image n° "));
    QCOMPARE(frameNumber(w), QStringLiteral("1 / 20"));
    QCOMPARE(navStates(w), QStringLiteral("10101"));

    // The picture 4 pixels inside the panel, the surface over it exactly.
    QCOMPARE(clipPanel(w)->size(), QSize(328, 248));
    QCOMPARE(surface(w)->geometry(), QRect(4, 4, 320, 240));
    QCOMPARE(player(w)->displayRect(), QRect(4, 4, 320, 240));
    QCOMPARE(surfaceImage(w).size(), QSize(320, 240));
    const QWidget* contents = widgetNamed(w, QStringLiteral("ScrollBox1Contents"));
    QVERIFY(contents->width() >= 328 && contents->height() >= 248);
    QVERIFY(labelText(w, "pnl1AVI").isEmpty());
    QCOMPARE(clipPanel(w)->palette().color(QPalette::Window), QColor(Qt::white));

    QCOMPARE(currentPage(w), QStringLiteral("tsMesures"));
    QVERIFY(labelText(w, "lblNomAvi").endsWith(QFileInfo(path).fileName()));
    QCOMPARE(labelText(w, "lblAdapt"), QStringLiteral("Adaptation : 100%"));
    for (const char* name :
         {"bbtnIma", "loupeBtn", "bbtnEnregistrerMesures", "bbtnRegExec", "Panel7"}) {
        QVERIFY2(widgetNamed(w, QString::fromLatin1(name))->isEnabled(), name);
    }
    for (const char* name : {"mnuClip", "mnuMesures", "mnuCopierPP"}) {
        QVERIFY2(child<QMenu>(w, name)->menuAction()->isEnabled(), name);
    }
    QVERIFY(child<QAction>(w, "popUpMnuModeEtalonner")->isEnabled());
    QVERIFY(child<QAction>(w, "LoupePopupMnu")->isEnabled());
    QVERIFY(!child<QAction>(w, "mnuIma100")->isEnabled());
}

void ClipOpeningTest::nonAviClipTakesTheBackendsCode() {
    const QString path = smallClip(10, 160, 120, clipgen::Codec::H264, clipgen::Container::Mp4);
    if (path.isEmpty()) {
        QSKIP("this machine's FFmpeg cannot write H.264 clips");
    }
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, path));
    QCOMPARE(w.document().frameCount(), 10);
    QVERIFY(!w.document().clip().codec.isEmpty());
    QCOMPARE(w.document().clip().codec, player(w)->facts().codecFourCC);
    QCOMPARE(shownFrame(w), 0);
    // Not in the AVI table, named by its decoder on the properties page.
    QVERIFY2(labelText(w, "lblCodec3").contains(QStringLiteral("H.264")),
             qPrintable(labelText(w, "lblCodec3")));
}

void ClipOpeningTest::navigation_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("frame");
    QTest::addColumn<QString>("states"); // play, first, last, previous, next

    QTest::newRow("next") << QStringList{"bbtnSui"} << 1 << "11111";
    QTest::newRow("next twice, previous")
        << QStringList{"bbtnSui", "bbtnSui", "bbtnPre"} << 1 << "11111";
    QTest::newRow("last") << QStringList{"bbtnFin"} << 19 << "01010";
    QTest::newRow("last, previous") << QStringList{"bbtnFin", "bbtnPre"} << 18 << "11111";
    QTest::newRow("last, first") << QStringList{"bbtnFin", "bbtnDeb"} << 0 << "10101";
    QTest::newRow("back to the first") << QStringList{"bbtnSui", "bbtnPre"} << 0 << "10101";
}

void ClipOpeningTest::navigation() {
    QFETCH(QStringList, clicks);
    QFETCH(int, frame);
    QFETCH(QString, states);
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));

    for (const QString& name : clicks) {
        QToolButton* b = button(w, qPrintable(name));
        QVERIFY2(b && b->isEnabled(), qPrintable(name));
        b->click();
    }
    QCOMPARE(frameShown(w), frame);
    QCOMPARE(shownFrame(w), frame);
    QCOMPARE(player(w)->position(), frame);
    QCOMPARE(frameNumber(w), QStringLiteral("%1 / 20").arg(frame + 1));
    QCOMPARE(navStates(w), states);
}

void ClipOpeningTest::oneFrameClip() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(1)));

    QCOMPARE(frameNumber(w), QStringLiteral("1 / 1"));
    // Play, last and next are enabled after the opening, but do nothing.
    QCOMPARE(navStates(w), QStringLiteral("10101"));
    button(w, "bbtnFin")->click();
    button(w, "bbtnSui")->click();
    QCOMPARE(frameShown(w), 0);
    QCOMPARE(shownFrame(w), 0);

    QSignalSpy ended(player(w), &ClipPlayer::notify);
    button(w, "bbtnPlay")->click();
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(frameShown(w), 0);
    QCOMPARE(shownFrame(w), 0);
}

void ClipOpeningTest::playbackToTheEnd() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));

    QSignalSpy ended(player(w), &ClipPlayer::notify);
    button(w, "bbtnPlay")->click();
    // Playback runs on its own: the click returns at once.
    QCOMPARE(player(w)->mode(), ClipPlayer::Mode::Playing);
    QCOMPARE(frameShown(w), 0);
    // A redraw asked for meanwhile ("Acquérir" asks one) waits: showing a
    // frame would end the playback.
    trigger(w, "popUpMnuModeAcquerir");
    QTest::qWait(120); // the redraw timer fires every 40 ms
    QCOMPARE(player(w)->mode(), ClipPlayer::Mode::Playing);
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);

    QCOMPARE(player(w)->mode(), ClipPlayer::Mode::Stopped);
    QCOMPARE(frameShown(w), 19);
    QCOMPARE(shownFrame(w), 19);
    QCOMPARE(frameNumber(w), QStringLiteral("20 / 20"));
    QCOMPARE(navStates(w), QStringLiteral("01010"));
    QTest::qWait(50);
    QCOMPARE(ended.count(), 1);
}

void ClipOpeningTest::playStoppedOnTheFrameReached() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(30)));

    QSignalSpy ended(player(w), &ClipPlayer::notify);
    button(w, "bbtnPlay")->click();
    QTRY_VERIFY(player(w)->position() >= 3);
    button(w, "bbtnPlay")->click();
    QCOMPARE(player(w)->mode(), ClipPlayer::Mode::Stopped);
    const int reached = frameShown(w);
    QVERIFY(reached >= 3 && reached < 29);
    QCOMPARE(shownFrame(w), reached);
    QCOMPARE(labelText(w, "lblNoImage2"), QString::number(reached + 1));
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(frameShown(w), reached);
    QCOMPARE(shownFrame(w), reached);
    // Navigation goes on from there.
    button(w, "bbtnSui")->click();
    QCOMPARE(shownFrame(w), reached + 1);
}

void ClipOpeningTest::timeOriginMark() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    const QString mark = QStringLiteral("   ( t= 0 )");
    const int origin = w.document().timeOrigin();
    for (int frame : {19, 1, 5, 0}) {
        showFrame(w, frame);
        QCOMPARE(labelText(w, "lblNoImage5"), frame == origin ? mark : QString());
    }
}

void ClipOpeningTest::failures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all

    test::AviFields absurd;
    absurd.frames = -7;
    absurd.width = 100000;
    absurd.height = -3;
    absurd.rate = 0;
    test::AviFields noFrames;
    noFrames.frames = 0;

    QFile clip(smallClip(20));
    QVERIFY(clip.open(QIODevice::ReadOnly));
    const QByteArray whole = clip.readAll();

    QTest::newRow("missing file") << "absent.avi" << QByteArray();
    QTest::newRow("text named .avi")
        << "notes.avi" << QByteArray("Ceci n'est pas un clip.\r\n").repeated(40);
    QTest::newRow("header cut short") << "cut.avi" << whole.left(300);
    QTest::newRow("100 bytes") << "tiny.avi" << whole.left(100);
    QTest::newRow("absurd header") << "absurd.avi" << test::makeAviBytes(absurd, 4096);
    QTest::newRow("no frame") << "empty.avi" << test::makeAviBytes(noFrames, 4096);
}

void ClipOpeningTest::failures() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = testing::scratchFolder() + '/' + name;
    if (!bytes.isEmpty()) {
        QVERIFY(test::writeBytes(path, bytes));
    }
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;

    f.seams.answerNext(true); // the error box
    QVERIFY(!openClipThroughDialog(w, f.seams, path));

    QCOMPARE(f.seams.messages().size(), 1);
    const Message& error = f.seams.messages().first();
    QCOMPARE(error.kind, MessageKind::Error);
    QVERIFY2(error.text.startsWith(QStringLiteral("Impossible d'ouvrir le clip : ")),
             qPrintable(error.text));
    QVERIFY(!w.document().hasClip());
    QCOMPARE(frameShown(w), -1);
    // Nothing names the file that did not open.
    QCOMPARE(labelText(w, "lblFile"), QStringLiteral("Fichier : ?"));
    QCOMPARE(labelText(w, "lblNomAvi"), QString());
    QVERIFY(surfaceImage(w).isNull());
    QVERIFY(!button(w, "bbtnPlay")->isEnabled());
}

void ClipOpeningTest::truncatedClipOpensWhatRemains() {
    QFile clip(smallClip(20));
    QVERIFY(clip.open(QIODevice::ReadOnly));
    const QByteArray whole = clip.readAll();
    const QString path = testing::scratchFolder() + QStringLiteral("/truncated.avi");
    QVERIFY(test::writeBytes(path, whole.left(whole.size() * 6 / 10)));

    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    if (!openClipThroughDialog(w, f.seams, path)) {
        // Refused: then with a clear error and nothing open.
        QCOMPARE(f.seams.count(MessageKind::Error), 1);
        QVERIFY(f.seams.lastText().startsWith(QStringLiteral("Impossible d'ouvrir le clip")));
        QCOMPARE(frameShown(w), -1);
        return;
    }
    // Opened: only the frames that are whole, each the right one.
    const int frames = w.document().frameCount();
    QVERIFY(frames > 0 && frames < 20);
    QCOMPARE(labelText(w, "lblNoImage4"), QString::number(frames));
    button(w, "bbtnFin")->click();
    QCOMPARE(frameShown(w), frames - 1);
    QCOMPARE(shownFrame(w), frames - 1);
}

void ClipOpeningTest::reopeningReplacesTheClip() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    button(w, "bbtnFin")->click();
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(12, 160, 120)));

    QCOMPARE(frameShown(w), 0);
    QCOMPARE(shownFrame(w), 0);
    QCOMPARE(w.document().frameCount(), 12);
    QCOMPARE(frameNumber(w), QStringLiteral("1 / 12"));
    QCOMPARE(clipPanel(w)->size(), QSize(168, 128));
    QCOMPARE(surface(w)->geometry(), QRect(4, 4, 160, 120));
    QCOMPARE(surfaceImage(w).size(), QSize(160, 120));
    QCOMPARE(navStates(w), QStringLiteral("10101"));
}

void ClipOpeningTest::openingClearsMeasurementsSilently() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    // Two points recorded by clicks on the picture.
    clickSurface(w, QPoint(100, 80));
    clickSurface(w, QPoint(110, 90));
    QCOMPARE(w.document().positionCount(), 2);
    const auto* table = child<StringGrid>(w, "StringGrid1");
    QVERIFY(!table->text(1, 2).isEmpty());

    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(12, 160, 120)));
    QCOMPARE(f.seams.messages().size(), 0);
    QVERIFY(!w.document().hasPositions());
    QVERIFY(table->text(1, 1).isEmpty());
    QVERIFY(table->text(1, 2).isEmpty());
}

void ClipOpeningTest::repaintShowsTheFrameOnlyWhenLost() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    QVERIFY(showWindow(w));
    button(w, "bbtnSui")->click();
    button(w, "bbtnSui")->click();

    // A mark drawn on the surface survives a repaint of the window.
    {
        QPainter painter(&surface(w)->image());
        painter.fillRect(QRect(150, 100, 5, 5), Qt::red);
    }
    QSignalSpy shown(player(w), &ClipPlayer::frameShown);
    w.repaint();
    QCOMPARE(shown.count(), 0);
    QCOMPARE(surfaceImage(w).pixelColor(152, 102), QColor(Qt::red));

    // A surface that lost its picture gets the current frame back.
    surface(w)->setImage(QImage());
    w.repaint();
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shownFrame(w), 2);
    QCOMPARE(frameShown(w), 2);
}

// Stepping onto a frame that cannot be decoded tells why, once on arriving
// there, and shows no other frame's picture under its number.
void ClipOpeningTest::undecodableFrameSaysSo() {
    QFile whole(smallClip(20));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QString path = testing::scratchFolder() + QStringLiteral("/damaged.avi");
    QVERIFY(test::writeBytes(path, test::damageAviFrame(whole.readAll(), 7)));
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, path));
    QVERIFY(showWindow(w));
    showFrame(w, 6);
    f.seams.clear();

    f.seams.answerNext(true); // the one error box expected
    button(w, "bbtnSui")->click();
    QCOMPARE(labelText(w, "lblNoImage2"), QStringLiteral("8"));
    QCOMPARE(f.seams.count(MessageKind::Error), 1);
    QCOMPARE(f.seams.lastText(), QStringLiteral("L'image n° 8 ne peut pas être décodée."));
    QCOMPARE(shownFrame(w), -1);
    QCOMPARE(surfaceImage(w).size(), QSize(320, 240));
    QCOMPARE(surfaceImage(w).pixelColor(10, 120), QColor(Qt::white));
    // Redrawing the marks there ("Acquérir" asks it) and repainting say
    // nothing more.
    trigger(w, "popUpMnuModeAcquerir");
    QTest::qWait(120); // the redraw timer fires every 40 ms
    w.repaint();
    QCOMPARE(f.seams.count(MessageKind::Error), 1);

    button(w, "bbtnSui")->click();
    QCOMPARE(shownFrame(w), 8);
    f.seams.answerNext(true);
    button(w, "bbtnPre")->click();
    QCOMPARE(f.seams.count(MessageKind::Error), 2);
    QCOMPARE(shownFrame(w), -1);
}

void ClipOpeningTest::draggingThePanel() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    CursorRegistry cursors; // the window's, under the same numbers
    cursors.registerStandardCursors();
    const QCursor openHand = cursors.cursor(50);
    const QCursor closedHand = cursors.cursor(51);
    QVERIFY(!cursorPicture(openHand).isNull());
    QVERIFY(cursorPicture(openHand) != cursorPicture(closedHand));
    QWidget* panel = clipPanel(w);

    // No clip: the panel stays where it is.
    const QPoint start = panel->pos();
    sendMouse(panel, QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton);
    sendMouse(panel, QEvent::MouseMove, QPoint(31, 21), Qt::LeftButton);
    sendMouse(panel, QEvent::MouseButtonRelease, QPoint(31, 21), Qt::LeftButton);
    QCOMPARE(panel->pos(), start);

    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    QCOMPARE(cursorPicture(panel->cursor()), cursorPicture(openHand));
    auto* adapt = child<QAction>(w, "mnuImaAdapter");
    adapt->setEnabled(false); // as when the clip is fitted
    sendMouse(panel, QEvent::MouseButtonPress, QPoint(2, 2), Qt::RightButton);
    QCOMPARE(cursorPicture(panel->cursor()), cursorPicture(closedHand));
    QVERIFY(adapt->isEnabled());
    sendMouse(panel, QEvent::MouseMove, QPoint(42, 32), Qt::RightButton);
    QCOMPARE(panel->pos(), start + QPoint(40, 30));
    // The picture and the surface go with the panel.
    QCOMPARE(surface(w)->geometry(), QRect(4, 4, 320, 240));
    const QWidget* contents = widgetNamed(w, QStringLiteral("ScrollBox1Contents"));
    QVERIFY(contents->width() >= start.x() + 40 + 328);
    QVERIFY(contents->height() >= start.y() + 30 + 248);
    sendMouse(panel, QEvent::MouseButtonRelease, QPoint(42, 32), Qt::RightButton);
    QCOMPARE(cursorPicture(panel->cursor()), cursorPicture(openHand));
    // Moving without a button no longer drags.
    sendMouse(panel, QEvent::MouseMove, QPoint(60, 60), Qt::NoButton);
    QCOMPARE(panel->pos(), start + QPoint(40, 30));
}

void ClipOpeningTest::commandLinePathIsMadeAbsolute() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QString path = smallClip(20);
    QVERIFY(QFile::copy(path, f.folder() + QStringLiteral("/argument.avi")));

    QVERIFY(w.openClipFile(QStringLiteral("argument.avi")));
    QCOMPARE(w.document().clip().path, QFileInfo(f.folder() + "/argument.avi").absoluteFilePath());
    // The next clip dialog starts in its folder.
    QCOMPARE(fileLine(f.folder() + QStringLiteral("/txconfig.txt"), 4),
             QFileInfo(f.folder()).absoluteFilePath() + '/');
    QCOMPARE(shownFrame(w), 0);
    QCOMPARE(currentPage(w), QStringLiteral("tsMesures"));
}

QTEST_MAIN(ClipOpeningTest)
#include "clip_opening.moc"
