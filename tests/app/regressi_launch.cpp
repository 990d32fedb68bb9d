// "Exécuter Regressi" with small scripts standing in for Regressi and for
// wine: they record their arguments and working folder. The launch writes
// the table beside the executable and starts it there on the bare name.
#include "export/regressi_launch.h"
#include "app/config_file.h"
#include "app/main_window.h"
#include "common/number_format.h"
#include "export/export_table.h"
#include "export/regressi_writer.h"
#include "support/measure_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A shell script that writes its working folder, then each argument, one per
// line, into `record`.
bool writeRecorder(const QString& path, const QString& record) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" + record.toUtf8() +
               "'\n");
    file.close();
    return file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// A window with a clip whose first three frames are pointed.
struct LaunchWindow {
    LaunchWindow() {
        setDecimalSeparator(u'.');
        const OpenedClip clip = openGeneratedClip(fixture, smallClipSpec(6), "launch.avi");
        opened = clip.ok();
        for (int i = 0; i < 3 && opened; ++i)
            clickSurface(w(), QPoint(20 + 10 * i, 30 + 5 * i));
    }
    TForm1& w() { return *fixture.window; }
    // The launch reads the settings file itself, as another run may have set it.
    bool setRegressi(const QString& version, const QString& path) {
        ConfigFile config(fixture.folder());
        config.loadAtStartup();
        config.setRegressi(version, path);
        return config.save();
    }
    QToolButton* launchButton() { return child<QToolButton>(w(), "bbtnRegExec"); }
    bool launchEnabled() {
        return child<QAction>(w(), "mnuRegExec")->isEnabled() && launchButton()->isEnabled();
    }

    MainWindowFixture fixture;
    bool opened = false;
};

// Replaces the program start while it lives, counting the starts.
struct CountingStarter {
    explicit CountingStarter(bool succeed) {
        ProcessStarter::setStarter([this, succeed](const ProcessStart&) {
            ++starts;
            return succeed;
        });
    }
    ~CountingStarter() { ProcessStarter::setStarter({}); }
    int starts = 0;
};

} // namespace

class RegressiLaunchTest : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheTemporaryFile_data();
    void startsOnTheTemporaryFile();
    void throughWine();
    void failures_data();
    void failures();
};

void RegressiLaunchTest::startsOnTheTemporaryFile_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("WIN") << "WIN"
                         << "~avireg~.rw3";
    QTest::newRow("DOS") << "DOS"
                         << "~avireg~.rrr";
}

void RegressiLaunchTest::startsOnTheTemporaryFile() {
    QFETCH(QString, version);
    QFETCH(QString, fileName);
    LaunchWindow l;
    QVERIFY(l.opened);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Regressi à essayer"));
    QVERIFY(QDir().mkpath(folder));
    const QString record = dir.filePath(QStringLiteral("record.txt"));
    const QString script = folder + QStringLiteral("/regressi");
    QVERIFY(writeRecorder(script, record));
    QVERIFY(l.setRegressi(version, script));

    l.fixture.seams.answerNext(true);
    l.launchButton()->click();
    QCOMPARE(l.fixture.seams.count(MessageKind::Error), 0);
    QTRY_VERIFY_WITH_TIMEOUT(readAll(record).count('\n') >= 2, 10000);
    QCOMPARE(QString::fromUtf8(readAll(record)).split(u'\n'),
             QStringList({folder, fileName, QString()}));

    const ExportTable table = readExportTable(l.w().document());
    QCOMPARE(int(table.rows.size()), 3);
    const RegressiFormat format =
        version == QLatin1String("WIN") ? RegressiFormat::Windows : RegressiFormat::Dos;
    QCOMPARE(readAll(folder + u'/' + fileName), writeRegressi(format, table, u'.'));
    QVERIFY(l.launchEnabled());
}

void RegressiLaunchTest::throughWine() {
    LaunchWindow l;
    QVERIFY(l.opened);
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("record.txt"));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(writeRecorder(dir.filePath(QStringLiteral("bin/wine")), record));
    const QString exe = dir.filePath(QStringLiteral("Program Files/Regressi/Regressi.exe"));
    QVERIFY(QDir().mkpath(QFileInfo(exe).absolutePath()));
    QFile(exe).open(QIODevice::WriteOnly); // not executable here: wine runs it
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ':' + path);
    QVERIFY(l.setRegressi(QStringLiteral("win"), exe));

    l.fixture.seams.answerNext(true);
    trigger(l.w(), "mnuRegExec");
    qputenv("PATH", path);
    QTRY_VERIFY_WITH_TIMEOUT(readAll(record).count('\n') >= 3, 10000);
    QCOMPARE(QString::fromUtf8(readAll(record)).split(u'\n'),
             QStringList({QFileInfo(exe).absolutePath(), exe, "~avireg~.rw3", QString()}));
    QVERIFY(QFile::exists(QFileInfo(exe).absolutePath() + QStringLiteral("/~avireg~.rw3")));
}

void RegressiLaunchTest::failures_data() {
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("executable"); // in the test's folder
    QTest::addColumn<bool>("startSucceeds");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("stillEnabled");
    QTest::newRow("answered no") << false << "win"
                                 << "regressi" << true << "" << true;
    QTest::newRow("defaults") << true << "?"
                              << "regressi" << true << kRegressiVersionUnknown << true;
    QTest::newRow("executable gone") << true << "win"
                                     << "absent" << true << kRegressiPathNotFound << false;
    QTest::newRow("not a program") << true << "win"
                                   << "notes.txt" << true << kRegressiPathNotFound << false;
    QTest::newRow("folder cannot take the file")
        << true << "win"
        << "blocked/regressi" << true << "~avireg~.rw3" << true;
    QTest::newRow("start refused") << true << "DOS"
                                   << "regressi" << false << kRegressiPathNotFound << false;
}

void RegressiLaunchTest::failures() {
    QFETCH(bool, confirmed);
    QFETCH(QString, version);
    QFETCH(QString, executable);
    QFETCH(bool, startSucceeds);
    QFETCH(QString, message);
    QFETCH(bool, stillEnabled);
    LaunchWindow l;
    QVERIFY(l.opened);
    QTemporaryDir dir;
    const QString record = dir.filePath(QStringLiteral("record.txt"));
    QVERIFY(writeRecorder(dir.filePath(QStringLiteral("regressi")), record));
    QFile(dir.filePath(QStringLiteral("notes.txt"))).open(QIODevice::WriteOnly);
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("blocked/~avireg~.rw3")));
    QVERIFY(writeRecorder(dir.filePath(QStringLiteral("blocked/regressi")), record));
    QVERIFY(l.setRegressi(version, dir.filePath(executable)));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);

    CountingStarter starter(startSucceeds);
    l.fixture.seams.answerNext(confirmed);
    if (!message.isEmpty()) {
        l.fixture.seams.answerNext(true); // the error box
    }
    l.launchButton()->click();
    QCOMPARE(l.fixture.seams.count(MessageKind::Confirmation), 1);
    QCOMPARE(l.fixture.seams.count(MessageKind::Error), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(l.fixture.seams.lastText().contains(message),
                 qPrintable(l.fixture.seams.lastText()));
    // Started only on a written file, and only when asked.
    const bool written = !startSucceeds;
    QCOMPARE(starter.starts, written ? 1 : 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             written ? before + QStringList{QStringLiteral("~avireg~.rrr")} : before);
    QCOMPARE(l.launchEnabled(), stillEnabled);
}

QTEST_MAIN(RegressiLaunchTest)
#include "regressi_launch.moc"
