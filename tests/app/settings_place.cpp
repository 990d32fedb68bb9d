// Where txconfig.txt lives: the start folder when run from the build tree,
// the user's configuration folder when installed or when the start folder
// cannot be written; a new file then points the clip dialog at the Videos folder.
#include "app/settings_place.h"
#include "app/config_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace traxilo;

class SettingsPlaceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void place_data();
    void place();
    void videosFolderFallsBackToHome();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_home, m_config;
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    bool makeFolder(const QString& relative) const { return QDir().mkpath(path(relative)); }
};

void SettingsPlaceTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_home = qgetenv("HOME");
    m_config = qgetenv("XDG_CONFIG_HOME");
    QVERIFY(makeFolder("home/Videos"));
    qputenv("HOME", path("home").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", path("home/.config").toLocal8Bit());
    QCoreApplication::setApplicationName(QStringLiteral("Traxilo"));
}

void SettingsPlaceTest::cleanup() {
    qputenv("HOME", m_home);
    if (m_config.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", m_config);
}

void SettingsPlaceTest::place_data() {
    QTest::addColumn<QString>("program"); // the program's folder
    QTest::addColumn<QString>("start");   // the folder it was started from
    QTest::addColumn<bool>("installed");  // whether the file goes to the user's folder

    QTest::newRow("build tree") << "build/bin"
                                << "run" << false;
    QTest::newRow("installed") << "usr/bin"
                               << "run" << true;
    QTest::newRow("installed elsewhere") << "opt/traxilo/bin"
                                         << "run" << true;
    QTest::newRow("a bin folder without the program's data") << "tools/bin"
                                                             << "run" << false;
    QTest::newRow("start folder gone") << "build/bin"
                                       << "gone" << true;
    QTest::newRow("start folder is a file") << "build/bin"
                                            << "a-file" << true;
}

void SettingsPlaceTest::place() {
    QFETCH(QString, program);
    QFETCH(QString, start);
    QFETCH(bool, installed);
    for (const char* folder : {"build/bin", "usr/bin", "usr/share/traxilo", "opt/traxilo/bin",
                               "opt/traxilo/share/traxilo", "tools/bin", "run"})
        QVERIFY(makeFolder(folder));
    QFile file(path("a-file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    const SettingsPlace place = chooseSettingsPlace(path(start), path(program));
    const QString userConfig = path("home/.config/Traxilo");
    QCOMPARE(place.folder, installed ? userConfig : path(start));
    QCOMPARE(place.defaultClipsFolder, installed ? path("home/Videos") : path(start));

    // A new settings file is made there, and no other.
    ConfigFile config(place.folder, place.defaultClipsFolder);
    config.loadAtStartup();
    QVERIFY(QFileInfo(place.folder + QStringLiteral("/txconfig.txt")).isFile());
    QCOMPARE(config.ConfigLines[4], place.defaultClipsFolder);
    QCOMPARE(QFileInfo::exists(path("run/txconfig.txt")), !installed && start == "run");
}

void SettingsPlaceTest::videosFolderFallsBackToHome() {
    QCOMPARE(userVideosFolder(), path("home/Videos"));
    QVERIFY(QDir(path("home/Videos")).removeRecursively());
    QCOMPARE(userVideosFolder(), QDir::homePath());
    QCOMPARE(QDir::homePath(), path("home"));
}

QTEST_GUILESS_MAIN(SettingsPlaceTest)
#include "settings_place.moc"
