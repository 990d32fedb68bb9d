// Opening a clip in the main window, moving through its frames and playing
// it, on the real widgets with generated clips whose every frame carries its
// index; failures must leave a clear French error and a coherent window.
#include "support/clip_opening.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "clip/clip_player.h"
#include "clip/file_utils.h"
#include "support/avi_bytes.h"
#include "support/generated_clips.h"
#include "support/main_window_fixture.h"

#include <QAction>
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
using traxilo::test::MainWindowFixture;
using traxilo::test::openClipThroughDialog;
using traxilo::test::shownFrame;
using traxilo::test::smallClip;

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

// Enabled state of play, first, last, previous, next.
QString navStates(const TForm1& w) {
    QString s;
    for (QToolButton* b : {w.bbtnPlay, w.bbtnDeb, w.bbtnFin, w.bbtnPre, w.bbtnSui}) {
        s += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return s;
}

QToolButton* navButton(TForm1& w, const QString& name) {
    return w.findChild<QToolButton*>(name);
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

} // namespace

class ClipOpeningTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void openingSetsUpTheWindow();
    void nonAviClipTakesTheBackendsCode();
    void navigation_data();
    void navigation();
    void buttonsIgnoreRequestsBeyondTheEnds();
    void oneFrameClip();
    void playbackToTheEnd();
    void playStoppedOnTheFrameReached();
    void timeOriginMark();
    void clipsFolderRemembered_data();
    void clipsFolderRemembered();
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
    QCOMPARE(request.startFolder, w.StartupFolder);
    QVERIFY(request.selectionChanged);

    QCOMPARE(w.ClipInfo.fileName, QFileInfo(path).fileName());
    QCOMPARE(w.ClipInfo.sizeText, FileSizeText(path));
    QCOMPARE(w.ClipInfo.frameCount, 20);
    QVERIFY(qAbs(double(w.ClipInfo.framePeriod) - 0.04) < 1e-9);
    QCOMPARE(w.ClipInfo.frameRate, 25);
    QCOMPARE(w.ClipInfo.width, 320);
    QCOMPARE(w.ClipInfo.height, 240);
    QCOMPARE(w.ClipInfo.codecFourCC.toUpper(), QStringLiteral("MJPG"));

    QCOMPARE(w.currentFrame, 0);
    QCOMPARE(shownFrame(w), 0);
    QCOMPARE(w.lblNoImage1->text(), QStringLiteral("image n° "));
    QCOMPARE(w.lblNoImage2->text(), QStringLiteral("1"));
    QCOMPARE(w.lblNoImage3->text(), QStringLiteral(" / "));
    QCOMPARE(w.lblNoImage4->text(), QStringLiteral("20"));
    QCOMPARE(navStates(w), QStringLiteral("10101"));

    // The picture 4 pixels inside the panel, the surface over it exactly.
    QCOMPARE(w.pnl1AVI->size(), QSize(328, 248));
    QCOMPARE(w.PaintBox1->geometry(), QRect(4, 4, 320, 240));
    QCOMPARE(w.MediaPlayer1->displayRect(), QRect(4, 4, 320, 240));
    QCOMPARE(w.PaintBox1->image().size(), QSize(320, 240));
    QVERIFY(w.ScrollBox1Contents->width() >= 328 && w.ScrollBox1Contents->height() >= 248);
    QCOMPARE(w.displaySize.displayWidth, 320);
    QCOMPARE(w.displaySize.displayHeight, 240);
    QCOMPARE(w.Calibration.Yo, 239);
    QVERIFY(w.pnl1AVI->text().isEmpty());
    QCOMPARE(w.pnl1AVI->palette().color(QPalette::Window), QColor(Qt::white));

    QCOMPARE(w.PageControl1->currentWidget(), w.tsMesures);
    QVERIFY(w.lblNomAvi->text().endsWith(QFileInfo(path).fileName()));
    QCOMPARE(w.OpenDialog1FileName, QFileInfo(path).absoluteFilePath());
    QCOMPARE(w.lblAdapt->text(), QStringLiteral("Adaptation : 100%"));
    for (QObject* o : {static_cast<QObject*>(w.bbtnIma), static_cast<QObject*>(w.loupeBtn),
                       static_cast<QObject*>(w.bbtnEnregistrerMesures),
                       static_cast<QObject*>(w.bbtnRegExec), static_cast<QObject*>(w.Panel7)}) {
        QVERIFY2(static_cast<QWidget*>(o)->isEnabled(), qPrintable(o->objectName()));
    }
    for (QMenu* m : {w.mnuClip, w.mnuMesures, w.mnuCopierPP}) {
        QVERIFY2(m->menuAction()->isEnabled(), qPrintable(m->objectName()));
    }
    QVERIFY(w.popUpMnuModeEtalonner->isEnabled());
    QVERIFY(w.LoupePopupMnu->isEnabled());
    QVERIFY(!w.mnuIma100->isEnabled());
    QCOMPARE(w.displaySize.displayPercent, 100);
    QVERIFY(w.displaySize.fitRequested);
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
    QCOMPARE(w.ClipInfo.frameCount, 10);
    QVERIFY(!w.ClipInfo.codecFourCC.isEmpty());
    QCOMPARE(w.ClipInfo.codecFourCC, w.MediaPlayer1->facts().codecFourCC);
    QCOMPARE(shownFrame(w), 0);
    // Not in the AVI table, named by its decoder on the properties page.
    QVERIFY2(w.lblCodec3->text().contains(QStringLiteral("H.264")),
             qPrintable(w.lblCodec3->text()));
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
        QToolButton* button = navButton(w, name);
        QVERIFY2(button && button->isEnabled(), qPrintable(name));
        button->click();
    }
    QCOMPARE(w.currentFrame, frame);
    QCOMPARE(shownFrame(w), frame);
    QCOMPARE(w.MediaPlayer1->position(), frame);
    QCOMPARE(w.lblNoImage2->text(), QString::number(frame + 1));
    QCOMPARE(w.lblNoImage4->text(), QStringLiteral("20"));
    QCOMPARE(navStates(w), states);
}

void ClipOpeningTest::buttonsIgnoreRequestsBeyondTheEnds() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));

    // The handler itself refuses, whatever the buttons' states.
    w.bbtnPlayClick(w.bbtnPre);
    w.bbtnPlayClick(w.bbtnDeb);
    QCOMPARE(w.currentFrame, 0);
    QCOMPARE(shownFrame(w), 0);
    w.bbtnFin->click();
    w.bbtnPlayClick(w.bbtnSui);
    w.bbtnPlayClick(w.bbtnFin);
    QCOMPARE(w.currentFrame, 19);
    QCOMPARE(shownFrame(w), 19);
    // A sender that is no navigation button does nothing.
    w.bbtnPlayClick(w.bbtnOpenAvi);
    QCOMPARE(w.currentFrame, 19);
}

void ClipOpeningTest::oneFrameClip() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(1)));

    QCOMPARE(w.ClipInfo.frameCount, 1);
    QCOMPARE(w.lblNoImage4->text(), QStringLiteral("1"));
    // Play, last and next are enabled after the opening, but do nothing.
    QCOMPARE(navStates(w), QStringLiteral("10101"));
    w.bbtnFin->click();
    w.bbtnSui->click();
    QCOMPARE(w.currentFrame, 0);
    QCOMPARE(shownFrame(w), 0);

    QSignalSpy ended(w.MediaPlayer1, &ClipPlayer::notify);
    w.bbtnPlay->click();
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(w.currentFrame, 0);
    QCOMPARE(shownFrame(w), 0);
}

void ClipOpeningTest::playbackToTheEnd() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(10)));

    QSignalSpy ended(w.MediaPlayer1, &ClipPlayer::notify);
    w.bbtnPlay->click();
    // Playback runs on its own: the click returns at once.
    QCOMPARE(w.MediaPlayer1->mode(), ClipPlayer::Mode::Playing);
    QCOMPARE(w.currentFrame, 0);
    // A redraw asked for meanwhile waits: showing a frame would end the playback.
    w.redrawPending = true;
    w.Timer1Timer();
    QCOMPARE(w.MediaPlayer1->mode(), ClipPlayer::Mode::Playing);
    QVERIFY(w.redrawPending);
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);

    QCOMPARE(w.MediaPlayer1->mode(), ClipPlayer::Mode::Stopped);
    QCOMPARE(w.currentFrame, 9);
    QCOMPARE(shownFrame(w), 9);
    QCOMPARE(w.lblNoImage2->text(), QStringLiteral("10"));
    QCOMPARE(navStates(w), QStringLiteral("01010"));
    QTest::qWait(50);
    QCOMPARE(ended.count(), 1);
}

void ClipOpeningTest::playStoppedOnTheFrameReached() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(30)));

    QSignalSpy ended(w.MediaPlayer1, &ClipPlayer::notify);
    w.bbtnPlay->click();
    QTRY_VERIFY(w.MediaPlayer1->position() >= 3);
    w.bbtnPlay->click();
    QCOMPARE(w.MediaPlayer1->mode(), ClipPlayer::Mode::Stopped);
    const int reached = w.currentFrame;
    QVERIFY(reached >= 3 && reached < 29);
    QCOMPARE(shownFrame(w), reached);
    QCOMPARE(w.lblNoImage2->text(), QString::number(reached + 1));
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(w.currentFrame, reached);
    QCOMPARE(shownFrame(w), reached);
    // Navigation goes on from there.
    w.bbtnSui->click();
    QCOMPARE(shownFrame(w), reached + 1);
}

void ClipOpeningTest::timeOriginMark() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    const QString mark = QStringLiteral("   ( t= 0 )");
    const int origin = w.timeOriginFrameNumber();
    for (int frame : {0, 1, 5, 19}) {
        w.mpPositionner(frame);
        QCOMPARE(w.lblNoImage5->text(), frame + 1 == origin ? mark : QString());
    }
    w.mpPositionner(origin - 1);
    QCOMPARE(w.lblNoImage5->text(), mark);
}

void ClipOpeningTest::clipsFolderRemembered_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("remembered");
    QTest::newRow("0: the last clip's folder") << "0" << true;
    QTest::newRow("1: a fixed folder") << "1" << false;
}

void ClipOpeningTest::clipsFolderRemembered() {
    QFETCH(QString, mode);
    QFETCH(bool, remembered);
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    w.config.ConfigLines[3] = mode;
    w.config.ConfigLines[4] = QStringLiteral("/fixed/folder/");
    QVERIFY(w.config.save());
    const QString path = smallClip(20);
    QVERIFY(openClipThroughDialog(w, f.seams, path));

    const QString expected =
        remembered ? QFileInfo(path).absolutePath() + '/' : QStringLiteral("/fixed/folder/");
    QCOMPARE(w.config.ConfigLines[4], expected);
    QCOMPARE(fileLine(w.config.path(), 4), expected);
    // The next dialog starts there.
    f.seams.answerNextFile(std::nullopt);
    w.bbtnOpenAvi->click();
    QCOMPARE(f.seams.fileRequests().last().startFolder, expected);
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
    QVERIFY(!w.clipOpen());
    QCOMPARE(w.currentFrame, -1);
    // Nothing names the file that did not open.
    QCOMPARE(w.ClipInfo.fileName, QString());
    QCOMPARE(w.lblNomAvi->text(), QString());
    QVERIFY(w.PaintBox1->image().isNull());
    QVERIFY(!w.bbtnPlay->isEnabled());
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
        QCOMPARE(w.currentFrame, -1);
        return;
    }
    // Opened: only the frames that are whole, each the right one.
    const int frames = w.ClipInfo.frameCount;
    QVERIFY(frames > 0 && frames < 20);
    QCOMPARE(w.lblNoImage4->text(), QString::number(frames));
    w.bbtnFin->click();
    QCOMPARE(w.currentFrame, frames - 1);
    QCOMPARE(shownFrame(w), frames - 1);
}

void ClipOpeningTest::reopeningReplacesTheClip() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    w.bbtnFin->click();
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(12, 160, 120)));

    QCOMPARE(w.currentFrame, 0);
    QCOMPARE(shownFrame(w), 0);
    QCOMPARE(w.ClipInfo.frameCount, 12);
    QCOMPARE(w.lblNoImage4->text(), QStringLiteral("12"));
    QCOMPARE(w.pnl1AVI->size(), QSize(168, 128));
    QCOMPARE(w.PaintBox1->geometry(), QRect(4, 4, 160, 120));
    QCOMPARE(w.PaintBox1->image().size(), QSize(160, 120));
    QCOMPARE(navStates(w), QStringLiteral("10101"));
}

void ClipOpeningTest::openingClearsMeasurementsSilently() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    // Two points recorded by clicks on the picture.
    QTest::mouseClick(w.PaintBox1, Qt::LeftButton, Qt::NoModifier, QPoint(100, 80));
    QTest::mouseClick(w.PaintBox1, Qt::LeftButton, Qt::NoModifier, QPoint(110, 90));
    QVERIFY(w.tableauOccupe());
    QCOMPARE(w.StringGrid0.cell(1, 1), QStringLiteral("100"));

    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(12, 160, 120)));
    QCOMPARE(f.seams.messages().size(), 0);
    QVERIFY(!w.tableauOccupe());
    QVERIFY(w.StringGrid0.cell(1, 1).isEmpty());
    QVERIFY(w.StringGrid0.cell(1, 2).isEmpty());
    QVERIFY(!w.tables.silentClear);
}

void ClipOpeningTest::repaintShowsTheFrameOnlyWhenLost() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    w.bbtnSui->click();
    w.bbtnSui->click();

    // A mark drawn on the surface survives a repaint of the window.
    {
        QPainter painter(&w.PaintBox1->image());
        painter.fillRect(QRect(150, 100, 5, 5), Qt::red);
    }
    QSignalSpy shown(w.MediaPlayer1, &ClipPlayer::frameShown);
    w.FormPaint();
    QCOMPARE(shown.count(), 0);
    QCOMPARE(w.PaintBox1->image().pixelColor(152, 102), QColor(Qt::red));

    // A surface that lost its picture gets the current frame back.
    w.PaintBox1->setImage(QImage());
    w.FormPaint();
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shownFrame(w), 2);
    QCOMPARE(w.currentFrame, 2);
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
    w.mpPositionner(6);
    f.seams.clear();

    f.seams.answerNext(true); // the one error box expected
    w.bbtnSui->click();
    QCOMPARE(w.lblNoImage2->text(), QStringLiteral("8"));
    QCOMPARE(f.seams.count(MessageKind::Error), 1);
    QCOMPARE(f.seams.lastText(), QStringLiteral("L'image n° 8 ne peut pas être décodée."));
    QCOMPARE(shownFrame(w), -1);
    QCOMPARE(w.PaintBox1->image().size(), QSize(320, 240));
    QCOMPARE(w.PaintBox1->image().pixelColor(10, 120), QColor(Qt::white));
    // Redrawing the marks there says nothing more.
    w.reDraw(w.currentFrame);
    w.FormPaint();
    QCOMPARE(f.seams.count(MessageKind::Error), 1);

    w.bbtnSui->click();
    QCOMPARE(shownFrame(w), 8);
    f.seams.answerNext(true);
    w.bbtnPre->click();
    QCOMPARE(f.seams.count(MessageKind::Error), 2);
    QCOMPARE(shownFrame(w), -1);
}

void ClipOpeningTest::draggingThePanel() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QCursor openHand = w.cursors.cursor(50);
    const QCursor closedHand = w.cursors.cursor(51);
    QVERIFY(!cursorPicture(openHand).isNull());
    QVERIFY(cursorPicture(openHand) != cursorPicture(closedHand));

    // No clip: the panel stays where it is.
    const QPoint start = w.pnl1AVI->pos();
    sendMouse(w.pnl1AVI, QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton);
    sendMouse(w.pnl1AVI, QEvent::MouseMove, QPoint(31, 21), Qt::LeftButton);
    sendMouse(w.pnl1AVI, QEvent::MouseButtonRelease, QPoint(31, 21), Qt::LeftButton);
    QCOMPARE(w.pnl1AVI->pos(), start);

    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    QCOMPARE(cursorPicture(w.pnl1AVI->cursor()), cursorPicture(openHand));
    w.mnuImaAdapter->setEnabled(false);
    sendMouse(w.pnl1AVI, QEvent::MouseButtonPress, QPoint(2, 2), Qt::RightButton);
    QCOMPARE(cursorPicture(w.pnl1AVI->cursor()), cursorPicture(closedHand));
    QVERIFY(w.mnuImaAdapter->isEnabled());
    sendMouse(w.pnl1AVI, QEvent::MouseMove, QPoint(42, 32), Qt::RightButton);
    QCOMPARE(w.pnl1AVI->pos(), start + QPoint(40, 30));
    // The picture and the surface go with the panel.
    QCOMPARE(w.PaintBox1->geometry(), QRect(4, 4, 320, 240));
    QVERIFY(w.ScrollBox1Contents->width() >= start.x() + 40 + 328);
    QVERIFY(w.ScrollBox1Contents->height() >= start.y() + 30 + 248);
    sendMouse(w.pnl1AVI, QEvent::MouseButtonRelease, QPoint(42, 32), Qt::RightButton);
    QCOMPARE(cursorPicture(w.pnl1AVI->cursor()), cursorPicture(openHand));
    // Moving without a button no longer drags.
    sendMouse(w.pnl1AVI, QEvent::MouseMove, QPoint(60, 60), Qt::NoButton);
    QCOMPARE(w.pnl1AVI->pos(), start + QPoint(40, 30));
}

void ClipOpeningTest::commandLinePathIsMadeAbsolute() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QString path = smallClip(20);
    QVERIFY(QFile::copy(path, f.folder() + QStringLiteral("/argument.avi")));

    QVERIFY(w.openClipFile(QStringLiteral("argument.avi")));
    QCOMPARE(w.OpenDialog1FileName, QFileInfo(f.folder() + "/argument.avi").absoluteFilePath());
    QCOMPARE(w.config.ConfigLines[4], QFileInfo(f.folder()).absoluteFilePath() + '/');
    QCOMPARE(shownFrame(w), 0);
    QCOMPARE(w.PageControl1->currentWidget(), w.tsMesures);
}

QTEST_MAIN(ClipOpeningTest)
#include "clip_opening.moc"
