// Sessions in the window: saved and opened through "Fichiers", the window
// shows everything as it was after "save, quit, open the session"; the clip
// is found again at its relative place or asked for; a bad file changes
// nothing. The file format itself is tested in tests/session/session_file.cpp.
#include "app/main_window.h"
#include "app/up_down.h"
#include "document/measurement_document.h"
#include "session/session_file.h"
#include "support/generated_clips.h"
#include "support/measure_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

using namespace traxilo;
using namespace traxilo::test;

namespace {

// What the window shows of a measurement.
struct Shown {
    QStringList table;
    QStringList fields; // distance, capture rate, t0, points, mark size, pointer colour
    QImage surface;
    int frame = -1;
    QString clip;
    explicit Shown(const TForm1& w)
        : table(tableCells(w)), fields{required<QLineEdit>(w, "edSi")->text(),
                                       required<QLineEdit>(w, "edCadencePrise")->text(),
                                       labelText(w, "lblt0"),
                                       labelText(w, "lblPointsPlan"),
                                       labelText(w, "lblTaillePoints"),
                                       required<QAction>(w, "mnuCouleurBlanc")->isChecked()
                                           ? "blanc"
                                           : "noir"},
          surface(surfaceImage(w).copy()), frame(frameShown(w)), clip(w.document().clip().path) {}
    bool operator==(const Shown&) const = default;
};

void upBy(const TForm1& w, const char* arrows, int clicks) {
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(required<UpDown>(w, arrows)->upButton(), Qt::LeftButton);
    QCoreApplication::processEvents(); // the time origin is taken after the release
}

void type(const TForm1& w, const char* field, const QString& text) {
    auto* edit = required<QLineEdit>(w, field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// "Enregistrer la session..." with `path` chosen in the dialog.
void saveAs(MainWindowFixture& f, const QString& path) {
    f.seams.answerNextFile(path);
    trigger(*f.window, "mnuEnregistrerSession");
    QVERIFY(QFile::exists(path));
}

// "Ouvrir une session..." with `path` chosen in the dialog.
void openThroughMenu(MainWindowFixture& f, const QString& path) {
    f.seams.answerNextFile(path);
    trigger(*f.window, "mnuOuvrirSession");
}

} // namespace

class SessionFiles : public QObject {
    Q_OBJECT
private slots:
    void windowShowsTheSessionAsSaved();
    void clipFoundAtItsRelativePlace();
    void missingClipIsAskedFor();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();

private:
    // A window with a clip measured: 3 points per frame, calibration, time
    // origin, capture rate, mark size and pointer changed.
    void measure(MainWindowFixture& f, const QString& clipName);
};

void SessionFiles::measure(MainWindowFixture& f, const QString& clipName) {
    const OpenedClip clip = openGeneratedClip(f, smallClipSpec(12), clipName);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *f.window;
    trigger(w, "popUpMnuModeEtalonner");
    clickBox(required<QRadioButton>(w, "rbChxOrig"));
    clickSurface(w, QPoint(20, 100));
    QTest::mouseClick(required<QToolButton>(w, "tbXnYp"), Qt::LeftButton); // x to the left
    clickBox(required<QRadioButton>(w, "rbEtalonSimu"));
    clickSurface(w, QPoint(10, 10));
    clickBox(required<QCheckBox>(w, "chkBoxPt2"));
    clickSurface(w, QPoint(110, 10));
    f.seams.failOnUnexpected(false); // "0" on the way is refused
    type(w, "edSi", QStringLiteral("0.25"));
    f.seams.failOnUnexpected(true);
    trigger(w, "popUpMnuModeAcquerir");
    upBy(w, "udPointsPlan", 2);
    upBy(w, "udt0", 2);
    for (int i = 0; i < 12; ++i) // 4 frames of 3 points
        clickSurface(w, QPoint(30 + 5 * i, 90 - 3 * i));
    type(w, "edCadencePrise", QStringLiteral("120")); // filmed in slow motion
    trigger(w, "mnuTaile4");
    trigger(w, "mnuCouleurBlanc");
    showFrame(w, 2);
}

void SessionFiles::windowShowsTheSessionAsSaved() {
    const QString path = testing::scratchFolder() + QStringLiteral("/mesures élève.trx");
    std::optional<Shown> before;
    {
        MainWindowFixture f;
        QVERIFY(f.isValid());
        measure(f, QStringLiteral("session.avi"));
        before.emplace(*f.window);
        saveAs(f, path);
        // The dialog proposes the clip's name, in the clip's folder.
        const FileDialogRequest& asked = f.seams.fileRequests().last();
        QCOMPARE(asked.fileName, QStringLiteral("session.trx"));
        QCOMPARE(asked.startFolder, QFileInfo(before->clip).absolutePath());
    }
    MainWindowFixture f;
    QVERIFY(f.isValid());
    f.window->resize(1100, 700);
    f.window->show();
    openThroughMenu(f, path);
    TForm1& w = *f.window;
    QVERIFY(w.document().hasClip());
    const Shown after(w);
    QCOMPARE(after.table, before->table);
    QCOMPARE(after.fields, before->fields);
    QCOMPARE(after.frame, before->frame);
    QCOMPARE(after.clip, before->clip);
    QVERIFY(after.surface == before->surface);
    QCOMPARE(required<QTabWidget>(w, "PageControl1")->currentWidget()->objectName(),
             QStringLiteral("tsMesures"));
    QVERIFY(!w.document().undoStack()->canUndo()); // a new start, not a change
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
        saveAs(f, first + QStringLiteral("/tp.trx"));
    }
    QVERIFY(QDir().rename(first, moved)); // the absolute path is gone
    MainWindowFixture f;
    QVERIFY(f.isValid());
    QVERIFY(f.window->openSessionFile(moved + QStringLiteral("/tp.trx")));
    QCOMPARE(f.window->document().clip().path, moved + QStringLiteral("/clips/chute.avi"));
    QCOMPARE(f.window->document().position(0, 1)->pixel, QPointF(40, 40));
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
        saveAs(f, folder + QStringLiteral("/s.trx"));
    }
    const QString elsewhere = testing::scratchFolder() + QStringLiteral("/found.avi");
    QVERIFY(QFile::rename(clip, elsewhere));

    MainWindowFixture f;
    f.seams.answerNextFile(std::nullopt); // Cancel: the window stays as it was
    QVERIFY(!f.window->openSessionFile(folder + QStringLiteral("/s.trx")));
    QVERIFY(!f.window->document().hasClip());
    QCOMPARE(f.seams.fileRequests().size(), 1);
    QVERIFY2(f.seams.fileRequests().last().title.contains(QStringLiteral("gone.avi")),
             qPrintable(f.seams.fileRequests().last().title));
    f.seams.answerNextFile(elsewhere);
    QVERIFY(f.window->openSessionFile(folder + QStringLiteral("/s.trx")));
    QCOMPARE(f.window->document().position(0, 1)->pixel, QPointF(50, 60));
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
    const QByteArray version = "\"version\": " + QByteArray::number(kSessionFormatVersion);
    QByteArray newer = valid;
    newer.replace(version, "\"version\": 70");
    SessionData otherClip = good;
    otherClip.frameCount = 40;
    QTest::newRow("truncated") << valid.left(valid.size() / 2) << "n'est pas une session";
    QTest::newRow("newer format") << newer << "version plus récente";
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
    const Shown before(*f.window);
    f.seams.clear();
    f.seams.answerNext(true); // the error box
    openThroughMenu(f, path);
    QCOMPARE(f.seams.count(MessageKind::Error), 1);
    QVERIFY2(f.seams.lastText().startsWith(QStringLiteral("Impossible d'ouvrir la session")),
             qPrintable(f.seams.lastText()));
    QVERIFY2(f.seams.lastText().contains(reason), qPrintable(f.seams.lastText()));
    QVERIFY(Shown(*f.window) == before);
    QVERIFY(f.window->document().undoStack()->canUndo()); // the click is still undoable
}

QTEST_MAIN(SessionFiles)
#include "session_files.moc"
