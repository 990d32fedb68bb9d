#include "app/config_file.h"
#include "app/config_line_reader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace traxilo;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The eight lines as the file must hold them: UTF-8, each ended by CR LF.
QByteArray fileOf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

QStringList linesOf(const ConfigLinesArray& lines) {
    return QStringList(lines.begin(), lines.end());
}

// "%F" in an expected line stands for the start-up folder.
QStringList expand(QStringList lines, const QString& folder) {
    for (QString& line : lines)
        line.replace(QStringLiteral("%F"), folder);
    return lines;
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void startup_data();
    void startup();
    void startupFromBinaryFile();
    void longLinesAreCut();
    void unwritableFolder();
    void nameTakenByAFolder();
    void unreadableFileIsLeftAlone();
    void lineBreaksInsideValuesKeepTheLayout();
    void rereadPicksUpOutsideEdits();
    void regressiEntryComesFromTheFile_data();
    void regressiEntryComesFromTheFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }
    QString configPath() const { return m_dir->filePath(QStringLiteral("txconfig.txt")); }
};

void TestConfigFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestConfigFile::startup_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");

    const QStringList defaults{"[version]", "2", "[clips]", "0", "%F", "[regressi]", "?", "?"};
    QTest::newRow("no file") << false << QByteArray() << defaults;
    QTest::newRow("current layout kept")
        << true
        << fileOf({"[version]", "2", "[clips]", "1", "/srv/clips", "[regressi]", "DOS", "/opt/r"})
        << QStringList{"[version]",  "2",          "[clips]", "1",
                       "/srv/clips", "[regressi]", "DOS",     "/opt/r"};
    QTest::newRow("older two-line layout")
        << true << QByteArray("C:\\Regressi\\regressi.exe\r\nwin\r\n")
        << QStringList{"[version]", "2",          "[clips]", "0",
                       "%F",        "[regressi]", "win",     "C:\\Regressi\\regressi.exe"};
    QTest::newRow("empty file is the older layout")
        << true << QByteArray()
        << QStringList{"[version]", "2", "[clips]", "0", "%F", "[regressi]", "", ""};
    QTest::newRow("label in another case is the older layout")
        << true << fileOf({"[Version]", "2", "[clips]", "1", "/a", "[regressi]", "win", "/r"})
        << QStringList{"[version]", "2", "[clips]", "0", "%F", "[regressi]", "2", "[Version]"};
    QTest::newRow("label with a trailing blank is the older layout")
        << true << QByteArray("[version] \r\n2\r\n")
        << QStringList{"[version]", "2", "[clips]", "0", "%F", "[regressi]", "2", "[version] "};
    QTest::newRow("missing lines read empty")
        << true << QByteArray("[version]\r\n2\r\n[clips]\r\n1\r\n")
        << QStringList{"[version]", "2", "[clips]", "1", "", "", "", ""};
    QTest::newRow("lines beyond the eighth dropped")
        << true
        << fileOf(
               {"[version]", "2", "[clips]", "0", "/c", "[regressi]", "win", "/r", "extra", "more"})
        << QStringList{"[version]", "2", "[clips]", "0", "/c", "[regressi]", "win", "/r"};
    QTest::newRow("LF line ends")
        << true << QByteArray("[version]\n2\n[clips]\n0\n/c\n[regressi]\nwin\n/r\n")
        << QStringList{"[version]", "2", "[clips]", "0", "/c", "[regressi]", "win", "/r"};
    QTest::newRow("lone CR line ends")
        << true << QByteArray("[version]\r2\r[clips]\r0\r/c\r[regressi]\rwin\r/r")
        << QStringList{"[version]", "2", "[clips]", "0", "/c", "[regressi]", "win", "/r"};
    QTest::newRow("no break after the last line")
        << true << QByteArray("[version]\r\n2\r\n[clips]\r\n0\r\n/c\r\n[regressi]\r\nwin\r\n/r")
        << QStringList{"[version]", "2", "[clips]", "0", "/c", "[regressi]", "win", "/r"};
    QTest::newRow("empty lines inside")
        << true << QByteArray("[version]\r\n\r\n\r\n0\r\n\r\n\r\nwin\r\n/r\r\n")
        << QStringList{"[version]", "", "", "0", "", "", "win", "/r"};
    QTest::newRow("accented UTF-8 text")
        << true
        << fileOf(
               {"[version]", "2", "[clips]", "1", "/home/élève/vidéos/", "[regressi]", "win", "/r"})
        << QStringList{"[version]",           "2",          "[clips]", "1",
                       "/home/élève/vidéos/", "[regressi]", "win",     "/r"};
    // Written by an older version in a single-byte code page: the letters
    // are kept and come back as UTF-8.
    QTest::newRow("Latin-1 text read as such")
        << true << QByteArray("C:\\R\xe9gressi\\regressi.exe\r\nwin\r\n")
        << QStringList{"[version]", "2",          "[clips]", "0",
                       "%F",        "[regressi]", "win",     "C:\\Régressi\\regressi.exe"};
    QTest::newRow("a value beginning with U+FEFF keeps it")
        << true
        << fileOf({"[version]", "2", "[clips]", "1", "/c", "[regressi]", "\uFEFF\uFEFFwin", "/r"})
        << QStringList{"[version]", "2",          "[clips]",         "1",
                       "/c",        "[regressi]", "\uFEFF\uFEFFwin", "/r"};
    QTest::newRow("byte-order mark skipped")
        << true
        << "\xEF\xBB\xBF" +
               fileOf({"[version]", "2", "[clips]", "1", "/c", "[regressi]", "win", "/r"})
        << QStringList{"[version]", "2", "[clips]", "1", "/c", "[regressi]", "win", "/r"};
}

void TestConfigFile::startup() {
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);
    if (present)
        QVERIFY(writeAll(configPath(), content));
    expected = expand(expected, folder());

    ConfigFile config(folder());
    config.loadAtStartup();
    QCOMPARE(linesOf(config.ConfigLines), expected);
    QVERIFY(!config.lastReadFailed());
    // The file is rewritten at every start, in the current layout.
    QCOMPARE(readAll(configPath()), fileOf(expected));

    // A second start reads back exactly what the first one wrote.
    ConfigFile again(folder());
    again.loadAtStartup();
    QCOMPARE(linesOf(again.ConfigLines), expected);
}

void TestConfigFile::startupFromBinaryFile() {
    QByteArray garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += char((i * 131 + 7) % 256);
    QVERIFY(writeAll(configPath(), garbage));

    ConfigFile config(folder());
    config.loadAtStartup();
    QCOMPARE(config.ConfigLines[0], QString("[version]"));
    QCOMPARE(config.ConfigLines[4], folder());
    const QByteArray written = readAll(configPath());
    QCOMPARE(written.count("\r\n"), 8);
    QVERIFY(written.endsWith("\r\n"));
    QVERIFY(written.startsWith("[version]\r\n2\r\n[clips]\r\n0\r\n"));
}

void TestConfigFile::longLinesAreCut() {
    const qsizetype limit = ConfigLineReader::kMaxLineBytes;
    // 3-byte characters, so that the limit falls inside one of them.
    const QString wide = QString(200000, QChar(0x20AC));
    const QByteArray content = "[version]\r\n2\r\n[clips]\r\n1\r\n" + wide.toUtf8() +
                               "\r\n[regressi]\r\nwin\r\n" + QByteArray(300000, 'x') + "\r\n";
    QVERIFY(writeAll(configPath(), content));

    ConfigFile config(folder());
    config.loadAtStartup();
    const QString folderLine = config.ConfigLines[4];
    QVERIFY(folderLine.toUtf8().size() <= limit);
    QVERIFY(folderLine.toUtf8().size() > limit - 3);
    QCOMPARE(folderLine, QString(folderLine.size(), QChar(0x20AC))); // no broken character
    // The lines after a cut one are read from their own start.
    QCOMPARE(config.ConfigLines[5], QString("[regressi]"));
    QCOMPARE(config.ConfigLines[6], QString("win"));
    QCOMPARE(config.ConfigLines[7], QString(limit, u'x'));
}

void TestConfigFile::unwritableFolder() {
    // Tests run as root: a folder below a regular file cannot exist for anyone.
    const QString blocker = m_dir->filePath(QStringLiteral("plain-file"));
    QVERIFY(writeAll(blocker, "x"));
    const QString impossible = blocker + QStringLiteral("/sub");

    ConfigFile config(impossible);
    QVERIFY(!config.exists());
    config.loadAtStartup();
    const QStringList expected{"[version]", "2",          "[clips]", "0",
                               impossible,  "[regressi]", "?",       "?"};
    QCOMPARE(linesOf(config.ConfigLines), expected);
    QVERIFY(!config.save());
    // The lines stay in memory for the rest of the run.
    config.ConfigLines[7] = QStringLiteral("/opt/regressi");
    QVERIFY(!config.save());
    QCOMPARE(config.ConfigLines[7], QString("/opt/regressi"));
    QVERIFY(!config.reread());
    QCOMPARE(config.ConfigLines[7], QString("/opt/regressi"));
    QVERIFY(!config.readRegressiDirect().ok);
    QCOMPARE(readAll(blocker), QByteArray("x"));
}

void TestConfigFile::nameTakenByAFolder() {
    QVERIFY(QDir(folder()).mkdir(QStringLiteral("txconfig.txt")));
    ConfigFile config(folder());
    QVERIFY(!config.exists());
    config.loadAtStartup();
    QCOMPARE(config.ConfigLines[6], QString("?"));
    QVERIFY(!config.save());
    QVERIFY(QFileInfo(configPath()).isDir());
}

void TestConfigFile::unreadableFileIsLeftAlone() {
    // A regular file whose first read fails with an input/output error, even
    // for root.
    QFile probe(QStringLiteral("/proc/self/mem"));
    char byte;
    if (!probe.open(QIODevice::ReadOnly) || probe.read(&byte, 1) >= 0)
        QSKIP("/proc/self/mem does not give a read error here");
    probe.close();
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), configPath()));

    ConfigFile config(folder());
    QVERIFY(config.exists());
    config.loadAtStartup();
    QVERIFY(config.lastReadFailed());
    // Nothing could be read: the older layout with empty Regressi lines.
    const QStringList expected{"[version]", "2", "[clips]", "0", folder(), "[regressi]", "", ""};
    QCOMPARE(linesOf(config.ConfigLines), expected);
    // The file that could not be read was not replaced.
    QVERIFY(QFileInfo(configPath()).isSymLink());

    QVERIFY(!config.reread());
    QCOMPARE(linesOf(config.ConfigLines), QStringList(8, QString()));
    QVERIFY(!config.readRegressiDirect().ok);
}

void TestConfigFile::lineBreaksInsideValuesKeepTheLayout() {
    ConfigFile config(folder());
    config.loadAtStartup();
    config.ConfigLines[4] = QStringLiteral("/a\r\nb/\n");
    QVERIFY(config.save());
    QCOMPARE(readAll(configPath()).count("\r\n"), 8);
    QVERIFY(config.reread());
    QCOMPARE(config.ConfigLines[4], QString("/ab/"));
    QCOMPARE(config.ConfigLines[5], QString("[regressi]"));
}

void TestConfigFile::rereadPicksUpOutsideEdits() {
    ConfigFile config(folder());
    config.loadAtStartup();
    QVERIFY(writeAll(configPath(), "[version]\r\n2\r\n[clips]\r\n1\r\n/fixed\r\n"));
    QVERIFY(config.reread());
    const QStringList expected{"[version]", "2", "[clips]", "1", "/fixed", "", "", ""};
    QCOMPARE(linesOf(config.ConfigLines), expected);

    // Without a file the lines in memory are kept.
    QVERIFY(QFile::remove(configPath()));
    QVERIFY(!config.reread());
    QCOMPARE(linesOf(config.ConfigLines), expected);
}

void TestConfigFile::regressiEntryComesFromTheFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("path");
    QTest::newRow("full file") << fileOf({"[version]", "2", "[clips]", "0", "/c", "[regressi]",
                                          "win", "/opt/r.exe"})
                               << "win"
                               << "/opt/r.exe";
    QTest::newRow("six lines only") << fileOf({"a", "b", "c", "d", "e", "f"}) << ""
                                    << "";
    QTest::newRow("seven lines") << QByteArray("1\n2\n3\n4\n5\n6\nDOS") << "DOS"
                                 << "";
}

void TestConfigFile::regressiEntryComesFromTheFile() {
    QFETCH(QByteArray, content);
    QFETCH(QString, version);
    QFETCH(QString, path);
    ConfigFile config(folder());
    config.loadAtStartup();
    config.ConfigLines[6] = QStringLiteral("memory");
    config.ConfigLines[7] = QStringLiteral("memory");
    QVERIFY(writeAll(configPath(), content));

    const ConfigFile::RegressiEntry entry = config.readRegressiDirect();
    QVERIFY(entry.ok);
    QCOMPARE(entry.version, version);
    QCOMPARE(entry.path, path);

    QVERIFY(QFile::remove(configPath()));
    QVERIFY(!config.readRegressiDirect().ok);
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "config_file.moc"
