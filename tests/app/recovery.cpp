// Automatic copies: a program killed while pointing loses at most the last
// seconds; the next start offers what it left and restores the same tables.
// The program killed is this test run again as a child: it opens a clip,
// points through the window, waits for its copy and is killed with SIGKILL.
#include "app/main_window.h"
#include "document/measurement_document.h"
#include "session/recovery_store.h"
#include "support/generated_clips.h"
#include "support/measure_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

using namespace traxilo;
using namespace traxilo::test;

namespace {

const char* const kChildClip = "TRAXILO_RECOVERY_CHILD_CLIP";
const QList<QPoint> kClicks = {{20, 100}, {35, 90}, {50, 80}, {65, 72}, {80, 66}, {95, 61}};

// The copies and markers a run left in `from`, put where the next run looks.
bool copyFolder(const QString& from, const QString& to) {
    const QStringList names = QDir(from).entryList(QDir::Files);
    if (names.isEmpty() || !QDir().mkpath(to))
        return false;
    for (const QString& name : names)
        if (!QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            return false;
    return true;
}

// The child: points the clip, tells its table once the copy is written,
// then waits to be killed.
int runChild(const QString& clip) {
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    TForm1 w;
    w.show();
    w.startRecovery();
    if (!w.openClipFile(clip))
        return 2;
    for (const QPoint& p : kClicks)
        clickSurface(w, p);
    const QString folder = RecoveryStore::defaultFolder();
    if (!QTest::qWaitFor([&] { return !QDir(folder).entryList({"*.trx"}).isEmpty(); }, 10000))
        return 3;
    QFile out;
    (void)out.open(stdout, QIODevice::WriteOnly);
    out.write((tableCells(w).join(QLatin1Char('|')) + QLatin1Char('\n')).toUtf8());
    out.write("ready\n");
    out.flush();
    return QApplication::exec(); // until SIGKILL
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void killedWhilePointingIsOffered();
    void unwritableFolderIsSaidOnce();
};

void RecoveryTest::killedWhilePointingIsOffered() {
    const QString clip = testing::generatedClip(smallClipSpec(12), QStringLiteral("crash.avi"));
    QVERIFY(!clip.isEmpty());
    QTemporaryDir data;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildClip), clip);
    env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    env.insert(QStringLiteral("TRAXILO_AUTOSAVE_MS"), QStringLiteral("300"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForStarted());
    QByteArray output;
    QVERIFY(QTest::qWaitFor(
        [&] {
            child.waitForReadyRead(100);
            output += child.readAllStandardOutput();
            return output.contains("ready\n") || child.state() == QProcess::NotRunning;
        },
        30000));
    QVERIFY2(output.contains("ready\n"), output.constData());
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(5000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    const QString childTable = QString::fromUtf8(output.left(output.indexOf('\n')));

    // The next start finds in its data folder what the killed run left there.
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const QString childFolder = RecoveryStore::defaultFolder();
    MainWindowFixture f;
    QVERIFY(f.isValid());
    QVERIFY(copyFolder(childFolder, RecoveryStore::defaultFolder()));
    // Started again on the same clip (a double-click on it): the
    // measurements restored are what stays on show.
    f.seams.answerNext(true);
    f.window->startRecovery(clip);
    QCOMPARE(f.seams.messages().size(), 1);
    const QString question = f.seams.messages().first().text;
    QVERIFY2(question.startsWith(QStringLiteral("Des mesures non enregistrées ont été "
                                                "retrouvées")),
             qPrintable(question));
    QVERIFY(question.contains(QStringLiteral("crash.avi")));
    QVERIFY(question.contains(QStringLiteral("Points mesurés : 6")));
    const MeasurementDocument& document = f.window->document();
    QVERIFY(document.hasClip());
    for (int i = 0; i < kClicks.size(); ++i)
        QCOMPARE(document.position(i, 1)->pixel, QPointF(kClicks[i]));
    QCOMPARE(tableCells(*f.window).join(QLatin1Char('|')), childTable);

    // Offered once only: the start after this one is not asked again.
    f.window = std::make_unique<TForm1>();
    f.window->startRecovery();
    QCOMPARE(f.seams.messages().size(), 1);
}

void RecoveryTest::unwritableFolderIsSaidOnce() {
    qputenv("TRAXILO_AUTOSAVE_MS", "50");
    MainWindowFixture f;
    qunsetenv("TRAXILO_AUTOSAVE_MS");
    QVERIFY(f.isValid());
    // A file where the data folder should be.
    QFile file(qEnvironmentVariable("XDG_DATA_HOME"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    TForm1& w = *f.window;
    f.seams.answerNext(true); // the warning, once
    w.startRecovery();
    QCOMPARE(f.seams.count(MessageKind::Warning), 1);
    QVERIFY(f.seams.lastText().contains(QStringLiteral("enregistrement automatique")));
    const OpenedClip clip = openGeneratedClip(f, smallClipSpec(12), QStringLiteral("ro.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    clickSurface(w, QPoint(30, 30));
    // The copy fails again, silently: the program works on.
    auto* autosave = w.findChild<QTimer*>(QStringLiteral("autosaveTimer"));
    QVERIFY(autosave && autosave->isActive());
    QTRY_VERIFY(!autosave->isActive());
    QCOMPARE(f.seams.count(MessageKind::Warning), 1);
    QCOMPARE(w.document().position(0, 1)->pixel, QPointF(30, 30));
}

int main(int argc, char** argv) {
    const QString childClip = qEnvironmentVariable(kChildClip);
    QApplication app(argc, argv);
    if (!childClip.isEmpty())
        return runChild(childClip);
    RecoveryTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "recovery.moc"
