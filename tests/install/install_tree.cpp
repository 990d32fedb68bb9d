// The installed program: `cmake --install` into a temporary prefix gives a
// program that starts from there, desktop files that their validators
// accept, and a program that keeps its settings in the user's configuration
// folder rather than in the folder it was started from.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAppId = QStringLiteral(TRAXILO_APP_ID);

struct Run {
    int exitCode = -1;
    QString output; // standard output and error together
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        const QString& folder = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.output = QStringLiteral("did not end: ") + program;
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

} // namespace

class InstallTreeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void programStartsFromThePrefix();
    void installsEveryFile_data();
    void installsEveryFile();
    void desktopEntryIsValid();
    void metainfoIsValid();
    void sessionTypeIsKnown();
    void settingsGoToTheUserConfigurationFolder();

private:
    QTemporaryDir m_dir;
    QString prefix(const QString& relative = {}) const {
        return m_dir.filePath(QStringLiteral("prefix/") + relative);
    }
    QString tool(const char* name) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (path.isEmpty())
            qWarning("%s is missing: bash scripts/install-deps.sh installs it", name);
        return path;
    }
};

void InstallTreeTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    const Run install = run(QStringLiteral(TRAXILO_CMAKE_COMMAND),
                            {QStringLiteral("--install"), QStringLiteral(TRAXILO_BINARY_DIR),
                             QStringLiteral("--prefix"), prefix()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void InstallTreeTest::programStartsFromThePrefix() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Run version = run(prefix(QStringLiteral("bin/traxilo")), {"--version"}, environment);
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.output, QStringLiteral("traxilo " TRAXILO_PROJECT_VERSION "\n"));
}

void InstallTreeTest::installsEveryFile_data() {
    QTest::addColumn<QString>("path");
    for (const QString& path : {QStringLiteral("share/traxilo/chute_libre.avi"),
                                QStringLiteral("share/applications/%1.desktop").arg(kAppId),
                                QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId),
                                QStringLiteral("share/mime/packages/traxilo.xml"),
                                QStringLiteral("share/icons/hicolor/scalable/apps/traxilo.svg"),
                                QStringLiteral("share/icons/hicolor/48x48/apps/traxilo.png"),
                                QStringLiteral("share/icons/hicolor/128x128/apps/traxilo.png"),
                                QStringLiteral("share/icons/hicolor/256x256/apps/traxilo.png"),
                                QStringLiteral("share/man/man1/traxilo.1.gz"),
                                QStringLiteral("share/doc/traxilo/copyright")})
        QTest::newRow(qPrintable(path)) << path;
}

void InstallTreeTest::installsEveryFile() {
    QFETCH(QString, path);
    const QFileInfo file(prefix(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
}

void InstallTreeTest::desktopEntryIsValid() {
    const QString validate = tool("desktop-file-validate");
    QVERIFY(!validate.isEmpty());
    const Run check =
        run(validate, {prefix(QStringLiteral("share/applications/%1.desktop").arg(kAppId))});
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
    // A hint (several main categories, as asked) is not an error.
    QVERIFY2(!check.output.contains(QLatin1String("error")), qPrintable(check.output));
}

void InstallTreeTest::metainfoIsValid() {
    const QString appstreamcli = tool("appstreamcli");
    QVERIFY(!appstreamcli.isEmpty());
    const Run check =
        run(appstreamcli, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                           prefix(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId))});
    QVERIFY2(check.exitCode == 0, qPrintable(check.output));
}

void InstallTreeTest::sessionTypeIsKnown() {
    const QString update = tool("update-mime-database");
    QVERIFY(!update.isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), prefix(QStringLiteral("share")));
    const Run check = run(update, {prefix(QStringLiteral("share/mime"))}, environment);
    QVERIFY2(check.exitCode == 0 && check.output.isEmpty(), qPrintable(check.output));
    QFile globs(prefix(QStringLiteral("share/mime/globs2")));
    QVERIFY(globs.open(QIODevice::ReadOnly));
    QVERIFY(globs.readAll().contains("application/x-traxilo-session:*.trx"));
}

void InstallTreeTest::settingsGoToTheUserConfigurationFolder() {
    // A user of the installed program: the program is started from a folder
    // it could write in, so only the installed location sends it elsewhere.
    for (const char* folder : {"home/Videos", "config", "data", "work"})
        QVERIFY(QDir().mkpath(m_dir.filePath(QString::fromLatin1(folder))));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_dir.filePath(QStringLiteral("work")));
    program.start(prefix(QStringLiteral("bin/traxilo")), {});
    QVERIFY(program.waitForStarted());

    const QString settings = m_dir.filePath(QStringLiteral("config/Traxilo/txconfig.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(settings).size() > 0, 60000);
    program.kill();
    program.waitForFinished();

    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("work/txconfig.txt"))));
    QFile file(settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY(lines.size() >= 5);
    // A new file points the clip dialog at the user's Videos folder.
    QCOMPARE(lines[4].trimmed(), QFile::encodeName(m_dir.filePath(QStringLiteral("home/Videos"))));
}

QTEST_GUILESS_MAIN(InstallTreeTest)
#include "install_tree.moc"
