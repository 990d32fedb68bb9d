// Session files: everything needed to go on measuring comes back cell for
// cell after "save, quit, open the session"; the clip is found again at its
// relative place or asked for; a bad file changes nothing in the window.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "session/session_file.h"
#include "support/generated_clips.h"
#include "support/measure_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;

namespace {

// What a user measured and sees of it.
struct Measured {
    QStringList pixels, metres, styles;
    QString clip;
    int frame = -1;
    explicit Measured(const TForm1& w)
        : pixels(gridCells(w.tables.PixelTable)), metres(gridCells(w.tables.MeasureTable)),
          styles(gridCells(w.tables.StyleTable)), clip(w.ClipInfo.fileName), frame(w.currentFrame) {
    }
    bool operator==(const Measured&) const = default;
};

void typeDistance(TForm1& w, const QString& text) {
    w.edSi->setFocus();
    w.edSi->selectAll();
    QTest::keyClicks(w.edSi, text);
}

} // namespace

class SessionFiles : public QObject {
    Q_OBJECT
private slots:
    void roundTripOfEveryField();
    void clipFoundAtItsRelativePlace();
    void missingClipIsAskedFor();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();

private:
    // A window with a clip measured: 3 points per frame, calibration, time
    // origin, a style and a pointer changed.
    void measure(MainWindowFixture& f, const QString& clipName);
};

void SessionFiles::measure(MainWindowFixture& f, const QString& clipName) {
    const OpenedClip clip = openGeneratedClip(f, smallClipSpec(12), clipName);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *f.window;
    w.popUpMnuModeEtalonnerClick();
    clickBox(w.rbChxOrig);
    clickSurface(w, QPoint(20, 100));
    QTest::mouseClick(w.tbXnYp, Qt::LeftButton); // x to the left
    clickBox(w.rbEtalonSimu);
    clickSurface(w, QPoint(10, 10));
    clickBox(w.chkBoxPt2);
    clickSurface(w, QPoint(110, 10));
    f.seams.failOnUnexpected(false); // "0" on the way is refused
    typeDistance(w, QStringLiteral("0.25"));
    f.seams.failOnUnexpected(true);
    w.popUpMnuModeAcquerirClick();
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(w.udPointsPlan->upButton(), Qt::LeftButton);
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(w.udt0->upButton(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the time origin is rewritten after the release
    for (int i = 0; i < 12; ++i)       // 4 frames of 3 points
        clickSurface(w, QPoint(30 + 5 * i, 90 - 3 * i));
    w.edCadencePrise->setFocus();
    w.edCadencePrise->selectAll();
    QTest::keyClicks(w.edCadencePrise, QStringLiteral("120")); // filmed in slow motion
    w.mnuTaille1Click(4);
    w.mnuCouleurBlanc->trigger();
    w.mpPositionner(2);
}

void SessionFiles::roundTripOfEveryField() {
    const QString path = testing::scratchFolder() + QStringLiteral("/mesures élève.trx");
    SessionData saved;
    std::optional<Measured> before;
    {
        MainWindowFixture f;
        QVERIFY(f.isValid());
        measure(f, QStringLiteral("session.avi"));
        TForm1& w = *f.window;
        before.emplace(w);
        saved = w.captureSession();
        QCOMPARE(saved.pointCount(), 12);
        QVERIFY(saved.captureRate && std::fabs(double(*saved.captureRate) - 120) < 1e-9);
        f.seams.answerNextFile(path);
        w.mnuEnregistrerSession->trigger();
        QVERIFY(QFile::exists(path));
    }
    MainWindowFixture f;
    QVERIFY(f.isValid());
    f.window->show();
    f.seams.failOnUnexpected(true);
    f.seams.answerNextFile(path);
    f.window->mnuOuvrirSession->trigger();
    TForm1& w = *f.window;
    QVERIFY(w.clipOpen());
    QVERIFY(Measured(w) == *before);
    const SessionData restored = w.captureSession();
    QCOMPARE(restored.calibration, saved.calibration);
    QCOMPARE(restored.positions, saved.positions);
    QCOMPARE(restored.styleColumns, saved.styleColumns);
    QCOMPARE(restored, saved);
    QCOMPARE(w.PageControl1->currentWidget(), w.tsMesures);
    QCOMPARE(w.lblt0->text(), QStringLiteral("3"));
    QCOMPARE(w.lblPointsPlan->text(), QStringLiteral("3"));
    QCOMPARE(w.lblTaillePoints->text(), QStringLiteral("4"));
    QVERIFY(w.mnuCouleurBlanc->isChecked());
    QCOMPARE(w.edSi->text(), saved.distanceText);
}

void SessionFiles::clipFoundAtItsRelativePlace() {
    const QString first = testing::scratchFolder() + QStringLiteral("/classe");
    const QString moved = testing::scratchFolder() + QStringLiteral("/classe déplacée");
    QVERIFY(QDir().mkpath(first + QStringLiteral("/clips")));
    const QString clip = testing::generatedClip(smallClipSpec(12), QStringLiteral("rel.avi"));
    QVERIFY(QFile::copy(clip, first + QStringLiteral("/clips/chute.avi")));
    {
        MainWindowFixture f;
        QVERIFY(f.isValid());
        f.window->show();
        QVERIFY(f.window->openClipFile(first + QStringLiteral("/clips/chute.avi")));
        clickSurface(*f.window, QPoint(40, 40));
        QVERIFY(f.window->saveSessionFile(first + QStringLiteral("/tp.trx")));
    }
    QVERIFY(QDir().rename(first, moved)); // the absolute path is gone
    MainWindowFixture f;
    QVERIFY(f.isValid());
    f.seams.failOnUnexpected(true);
    QVERIFY(f.window->openSessionFile(moved + QStringLiteral("/tp.trx")));
    QCOMPARE(f.window->OpenDialog1FileName, moved + QStringLiteral("/clips/chute.avi"));
    QCOMPARE(f.window->tables.PixelTable.cell(1, 1), QStringLiteral("40"));
}

void SessionFiles::missingClipIsAskedFor() {
    const QString folder = testing::scratchFolder() + QStringLiteral("/missing");
    QVERIFY(QDir().mkpath(folder));
    const QString clip = folder + QStringLiteral("/gone.avi");
    QVERIFY(
        QFile::copy(testing::generatedClip(smallClipSpec(12), QStringLiteral("gone.avi")), clip));
    {
        MainWindowFixture f;
        QVERIFY(f.window->openClipFile(clip));
        clickSurface(*f.window, QPoint(50, 60));
        QVERIFY(f.window->saveSessionFile(folder + QStringLiteral("/s.trx")));
    }
    const QString elsewhere = testing::scratchFolder() + QStringLiteral("/found.avi");
    QVERIFY(QFile::rename(clip, elsewhere));

    MainWindowFixture f;
    f.seams.failOnUnexpected(true);
    f.seams.answerNextFile(std::nullopt); // Cancel: the window stays as it was
    QVERIFY(!f.window->openSessionFile(folder + QStringLiteral("/s.trx")));
    QVERIFY(!f.window->clipOpen());
    QCOMPARE(f.seams.fileRequests().size(), 1);
    f.seams.answerNextFile(elsewhere);
    QVERIFY(f.window->openSessionFile(folder + QStringLiteral("/s.trx")));
    QCOMPARE(f.window->tables.PixelTable.cell(1, 1), QStringLiteral("50"));
}

void SessionFiles::badFilesChangeNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // part of the error shown
    SessionData good;
    good.clipPath = testing::generatedClip(smallClipSpec(12), QStringLiteral("bad.avi"));
    good.frameCount = 12;
    good.pictureSize = QSize(160, 120);
    good.styleColumns = {{"16777215", "1", "1"}, {"16777215", "1", "0"}};
    const QByteArray valid = writeSession(good, testing::scratchFolder() + "/x.trx");
    QByteArray newer = valid;
    newer.replace("\"version\": 1", "\"version\": 7");
    QByteArray absurd = valid;
    absurd.replace("\"pointsPerFrame\": 1", "\"pointsPerFrame\": 12");
    SessionData otherClip = good;
    otherClip.frameCount = 40;
    QTest::newRow("empty") << QByteArray() << "n'est pas une session";
    QTest::newRow("truncated") << valid.left(valid.size() / 2) << "n'est pas une session";
    QTest::newRow("another program's JSON")
        << QByteArray("{\"name\": \"x\", \"version\": 1}") << "n'est pas une session";
    QTest::newRow("newer format") << newer << "version plus récente";
    QTest::newRow("absurd value") << absurd << "pointsPerFrame";
    QTest::newRow("another clip") << writeSession(otherClip, testing::scratchFolder() + "/x.trx")
                                  << "n'est pas celui de la session";
}

void SessionFiles::badFilesChangeNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = testing::scratchFolder() + QStringLiteral("/bad.trx");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    MainWindowFixture f;
    QVERIFY(f.isValid());
    const OpenedClip clip = openGeneratedClip(f, smallClipSpec(12), QStringLiteral("kept.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    clickSurface(*f.window, QPoint(33, 44));
    const Measured before(*f.window);
    f.seams.clear();
    f.seams.answerNext(true); // the error box
    QVERIFY(!f.window->openSessionFile(path));
    QCOMPARE(f.seams.count(MessageKind::Error), 1);
    QVERIFY2(f.seams.lastText().startsWith(QStringLiteral("Impossible d'ouvrir la session")),
             qPrintable(f.seams.lastText()));
    QVERIFY2(f.seams.lastText().contains(reason), qPrintable(f.seams.lastText()));
    QVERIFY(Measured(*f.window) == before);
}

QTEST_MAIN(SessionFiles)
#include "session_files.moc"
