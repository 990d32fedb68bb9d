#include "clip/file_utils.h"
#include "clip/shell_link.h"
#include "common/number_format.h"

#include "support/avi_bytes.h"
#include "support/shell_link_bytes.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace traxilo;
using traxilo::test::makeShellLinkBytes;
using traxilo::test::ShellLinkFields;
using traxilo::test::writeBytes;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFileUtils : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { setDecimalSeparator(u'.'); }

    void fitPathSteps_data();
    void fitPathSteps();
    void fitPathStopsAtFirstFit();
    void fitPathWithFontMetrics();

    void sizeTextForBytes_data();
    void sizeTextForBytes();
    void sizeTextOfFiles();

    void sampleShortcuts_data();
    void sampleShortcuts();
    void sampleShortcutFollowedBesideItsTarget();
    void ownShortcuts_data();
    void ownShortcuts();
    void damagedShortcutsFailCleanly();
    void notShortcuts();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileUtils::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFileUtils::fitPathSteps_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("absolute path")
        << "/home/me/clips/ball.avi"
        << QStringList{"/home/me/clips/ball.avi", "/.../me/clips/ball.avi", "/.../clips/ball.avi",
                       "/.../ball.avi",           ".../ball.avi",           "ball.avi"};
    QTest::newRow("drive path kept harmlessly") << "C:/Users/me/clips/ball.avi"
                                                << QStringList{"C:/Users/me/clips/ball.avi",
                                                               "C:/.../me/clips/ball.avi",
                                                               "C:/.../clips/ball.avi",
                                                               "C:/.../ball.avi",
                                                               ".../ball.avi",
                                                               "ball.avi"};
    QTest::newRow("relative path")
        << "clips/ball.avi" << QStringList{"clips/ball.avi", ".../ball.avi", "ball.avi"};
    QTest::newRow("file at the root") << "/ball.avi" << QStringList{"/ball.avi", "ball.avi"};
    QTest::newRow("name alone") << "ball.avi" << QStringList{"ball.avi"};
    QTest::newRow("hidden folder") << "/home/.config/x.avi"
                                   << QStringList{"/home/.config/x.avi", "/.../.config/x.avi",
                                                  "/.../x.avi", ".../x.avi", "x.avi"};
}

void TestFileUtils::fitPathSteps() {
    QFETCH(QString, path);
    QFETCH(QStringList, steps);
    // Nothing fits: every candidate is measured once, in order, down to the
    // name alone, which is returned without being measured.
    QStringList measured;
    const QString result = FitPath(
        path,
        [&measured](const QString& text) {
            measured << text;
            return 1000;
        },
        10);
    QCOMPARE(measured, steps.mid(0, steps.size() - 1));
    QCOMPARE(result, steps.last());
}

void TestFileUtils::fitPathStopsAtFirstFit() {
    const QString path = QStringLiteral("/home/me/clips/ball.avi");
    const auto length = [](const QString& text) { return int(text.size()); };
    QCOMPARE(FitPath(path, length, 23), path);
    QCOMPARE(FitPath(path, length, 22), QString("/.../me/clips/ball.avi"));
    QCOMPARE(FitPath(path, length, 21), QString("/.../clips/ball.avi"));
    QCOMPARE(FitPath(path, length, 13), QString("/.../ball.avi"));
    QCOMPARE(FitPath(path, length, 12), QString(".../ball.avi"));
    QCOMPARE(FitPath(path, length, 11), QString("ball.avi"));
    // The name is never shortened, even when it alone is too wide.
    QCOMPARE(FitPath(path, length, 0), QString("ball.avi"));
}

void TestFileUtils::fitPathWithFontMetrics() {
    const QFontMetrics metrics(QGuiApplication::font());
    const QString path = QStringLiteral("/home/me/a/rather/long/folder/of/clips/ball.avi");
    const int max = metrics.horizontalAdvance(QStringLiteral("/.../of/clips/ball.avi"));
    const QString fitted = FitPath(path, metrics, max);
    QVERIFY(metrics.horizontalAdvance(fitted) <= max);
    QVERIFY(fitted.endsWith(QStringLiteral("/clips/ball.avi")));
    QVERIFY(fitted.startsWith(QStringLiteral("/.../")));
}

void TestFileUtils::sizeTextForBytes_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("2 000 000") << quint64(2000000) << "1,953 Mo";
    QTest::newRow("1 023") << quint64(1023) << "0,999 ko";
    QTest::newRow("500") << quint64(500) << "488,281 ?o";
    QTest::newRow("1") << quint64(1) << "0,977 ?o";
    QTest::newRow("999") << quint64(999) << "975,586 ?o";
    QTest::newRow("1000") << quint64(1000) << "0,977 ko";
    QTest::newRow("999 999") << quint64(999999) << "976,562 ko";
    QTest::newRow("4 GiB") << quint64(4294967296) << "4,194 Go";
    QTest::newRow("4 GiB + 1") << quint64(4294967297) << "4,194 Go";
    QTest::newRow("10^12") << quint64(1000000000000) << "0,977 To";
    QTest::newRow("10^15, no letter") << quint64(1000000000000000) << "0,977 ?o";
    QTest::newRow("largest") << quint64(18446744073709551615u) << "18,014 ?o";
    QTest::newRow("empty") << quint64(0) << "?!*";
}

void TestFileUtils::sizeTextForBytes() {
    QFETCH(quint64, bytes);
    QFETCH(QString, text);
    setDecimalSeparator(u',');
    QCOMPARE(FileSizeTextForBytes(bytes), text);
    setDecimalSeparator(u'.');
    QCOMPARE(FileSizeTextForBytes(bytes), QString(text).replace(u',', u'.'));
}

void TestFileUtils::sizeTextOfFiles() {
    setDecimalSeparator(u',');
    QCOMPARE(FileSizeText(m_dir->filePath(QStringLiteral("missing.avi"))), QString("?!*"));
    QCOMPARE(FileSizeText(m_dir->path()), QString("?!*"));

    QFile file(m_dir->filePath(QStringLiteral("clip.avi")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(FileSizeText(file.fileName()), QString("?!*"));
    QVERIFY(file.resize(2000000));
    QCOMPARE(FileSizeText(file.fileName()), QString("1,953 Mo"));
    // Sizes of 4 GiB and more are not taken modulo 2^32 (sparse, no disk used).
    if (!file.resize(qint64(4294967296) + 1000))
        QSKIP("this file system has no sparse files of 4 GiB");
    QCOMPARE(FileSizeText(file.fileName()), QString("4,194 Go"));
    if (!file.resize(qint64(5) * 1000 * 1000 * 1000 * 1000))
        QSKIP("this file system has no sparse files of 5 TB");
    QCOMPARE(FileSizeText(file.fileName()), QString("4,883 To"));
}

void TestFileUtils::sampleShortcuts_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("localPath");
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QString>("workingDir");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("argumentsStart");

    QTest::newRow("example of the format") << "LnkParse3_microsoft_example.lnk"
                                           << "C:\\test\\a.txt"
                                           << ".\\a.txt"
                                           << "C:\\test"
                                           << ""
                                           << "";
    QTest::newRow("with arguments") << "LnkParse3_lnk_success.lnk"
                                    << "C:\\AnonymusBrowser-v2.0\\AnonymusBrowser.exe"
                                    << ".\\AnonymusBrowser.exe"
                                    << "C:\\AnonymusBrowser-v2.0"
                                    << ""
                                    << "no_ipcheck";
    QTest::newRow("no link info") << "LnkParse3_lnk_with_broken_link_info.lnk"
                                  << ""
                                  << "..\\..\\..\\..\\..\\..\\Program Files\\xt\\xt.exe"
                                  << "C:\\Program Files\\xt"
                                  << ""
                                  << "";
    QTest::newRow("description, arguments, folder")
        << "exiftool_LNK.lnk"
        << "C:\\Documents and Settings\\Phil\\Desktop\\exiftool(-k).exe"
        << ".\\exiftool(-k).exe"
        << "C:\\Documents and Settings\\Phil\\Desktop"
        << "Rename file name with image date and time"
        << "-d %Y%m%d-%H%M%S.%%e";
}

void TestFileUtils::sampleShortcuts() {
    const QString dir = traxilo::test::samplesDir();
    if (dir.isEmpty())
        QSKIP("the real sample files (shared/samples) are not on this machine");
    QFETCH(QString, file);
    QFETCH(QString, localPath);
    QFETCH(QString, relativePath);
    QFETCH(QString, workingDir);
    QFETCH(QString, name);
    QFETCH(QString, argumentsStart);

    const QString path = dir + QStringLiteral("/lnk/") + file;
    const auto link = ParseShellLink(readAll(path));
    QVERIFY(link.has_value());
    QCOMPARE(link->localPath(), localPath);
    QCOMPARE(link->relativePath, relativePath);
    QCOMPARE(link->workingDir, workingDir);
    QCOMPARE(link->name, name);
    if (argumentsStart.isEmpty())
        QVERIFY(link->arguments.isEmpty());
    else
        QVERIFY(link->arguments.startsWith(argumentsStart));
    // Their targets are Windows paths that do not exist here.
    const ShortcutTarget target = ResolveShortcut(path);
    QVERIFY(!target.ok());
    QCOMPARE(target.errorText, QString("Cible introuvable"));
    QVERIFY(target.path.isEmpty());
}

void TestFileUtils::sampleShortcutFollowedBesideItsTarget() {
    const QString dir = traxilo::test::samplesDir();
    if (dir.isEmpty())
        QSKIP("the real sample files (shared/samples) are not on this machine");
    // A copy of a real shortcut in a folder holding its relative target.
    const QString copy = m_dir->filePath(QStringLiteral("exif.lnk"));
    QVERIFY(QFile::copy(dir + QStringLiteral("/lnk/exiftool_LNK.lnk"), copy));
    const QString target = m_dir->filePath(QStringLiteral("exiftool(-k).exe"));
    QVERIFY(writeBytes(target, "x"));
    const ShortcutTarget resolved = ResolveShortcut(copy);
    QVERIFY2(resolved.ok(), qPrintable(resolved.errorText));
    QCOMPARE(resolved.path, target);
}

void TestFileUtils::ownShortcuts_data() {
    QTest::addColumn<bool>("unicode");
    QTest::addColumn<bool>("withIdList");
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<QString>("existing"); // created below the temporary folder
    QTest::addColumn<bool>("resolves");
    QTest::newRow("unicode, up a level") << true << true << "..\\data\\ball.avi"
                                         << "data/ball.avi" << true;
    QTest::newRow("code page, accented") << false << false << ".\\caf\u00e9.avi"
                                         << "links/caf\u00e9.avi" << true;
    QTest::newRow("unicode, accented")
        << true << false << QString::fromUtf8(".\\\u00e9l\u00e8ve.avi")
        << QString::fromUtf8("links/\u00e9l\u00e8ve.avi") << true;
    QTest::newRow("target missing") << true << true << "..\\data\\gone.avi"
                                    << "data/ball.avi" << false;
    QTest::newRow("folder target") << true << true << "..\\data"
                                   << "data/ball.avi" << true;
}

void TestFileUtils::ownShortcuts() {
    QFETCH(bool, unicode);
    QFETCH(bool, withIdList);
    QFETCH(QString, relativePath);
    QFETCH(QString, existing);
    QFETCH(bool, resolves);

    QDir root(m_dir->path());
    QVERIFY(root.mkpath(QStringLiteral("links")));
    QVERIFY(root.mkpath(QFileInfo(root.filePath(existing)).path()));
    QVERIFY(writeBytes(root.filePath(existing), "RIFF"));

    ShellLinkFields linkFields;
    linkFields.unicode = unicode;
    linkFields.withIdList = withIdList;
    linkFields.localBasePath = "C:\\clips\\";
    linkFields.commonPathSuffix = "ball.avi";
    linkFields.relativePath = relativePath;
    linkFields.workingDir = QStringLiteral("C:\\clips");
    const QString lnk = root.filePath(QStringLiteral("links/clip.lnk"));
    QVERIFY(writeBytes(lnk, makeShellLinkBytes(linkFields)));

    const auto link = ParseShellLink(readAll(lnk));
    QVERIFY(link.has_value());
    QCOMPARE(link->localPath(), QString("C:\\clips\\ball.avi"));
    QCOMPARE(link->relativePath, relativePath);

    const ShortcutTarget target = ResolveShortcut(lnk);
    QCOMPARE(target.ok(), resolves);
    if (resolves) {
        QString expected = QDir::cleanPath(root.filePath(QStringLiteral("links/") + relativePath));
        expected.replace(u'\\', u'/');
        QCOMPARE(target.path, QDir::cleanPath(expected));
        QVERIFY(QFileInfo::exists(target.path));
    } else {
        QCOMPARE(target.errorText, QString("Cible introuvable"));
    }
}

void TestFileUtils::damagedShortcutsFailCleanly() {
    ShellLinkFields linkFields;
    linkFields.localBasePath = "C:\\clips\\ball.avi";
    linkFields.relativePath = QStringLiteral(".\\ball.avi");
    linkFields.name = QStringLiteral("chute");
    const QByteArray whole = makeShellLinkBytes(linkFields);
    QVERIFY(ParseShellLink(whole).has_value());

    // Cut anywhere inside the structures, the file is refused; once every
    // string is in, the missing extra data does not matter.
    const qsizetype stringsEnd = whole.size() - 4;
    for (qsizetype n = 0; n < whole.size(); ++n)
        QCOMPARE(ParseShellLink(whole.left(n)).has_value(), n >= stringsEnd);

    // Offsets and counts pointing outside the file.
    QByteArray badOffset = whole;
    qToLittleEndian<quint32>(0xFFFFFFF0u, badOffset.data() +
                                              traxilo::test::localBasePathOffsetField(linkFields));
    QVERIFY(!ParseShellLink(badOffset).has_value());
    QByteArray badCount = whole;
    qToLittleEndian<quint16>(0xFFFF, badCount.data() + whole.size() - 4 - 2 * 10 - 2 - 2 * 5 - 2);
    QVERIFY(!ParseShellLink(badCount).has_value());
    QByteArray badIdList = whole;
    qToLittleEndian<quint16>(0xFFFF, badIdList.data() + 76);
    QVERIFY(!ParseShellLink(badIdList).has_value());

    // Random damage (fixed seed): never a crash, and whatever is read stays
    // within the file.
    QRandomGenerator random(20240601);
    const QString dir = traxilo::test::samplesDir();
    const QByteArray sample =
        dir.isEmpty() ? whole : readAll(dir + QStringLiteral("/lnk/LnkParse3_lnk_success.lnk"));
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = sample;
        for (int flips = 0; flips < 4; ++flips)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        const auto link = ParseShellLink(damaged);
        if (link) {
            QVERIFY(link->relativePath.size() <= damaged.size());
            QVERIFY(link->localPath().size() <= damaged.size());
        }
    }
}

void TestFileUtils::notShortcuts() {
    const QString text = m_dir->filePath(QStringLiteral("notes.lnk"));
    QVERIFY(
        writeBytes(text, QByteArray("Just some text, long enough to pass a 76-byte header check, "
                                    "but with no shell link inside.")));
    QCOMPARE(ResolveShortcut(text).errorText, QString("Cible introuvable"));
    QCOMPARE(ResolveShortcut(m_dir->filePath(QStringLiteral("missing.lnk"))).errorText,
             QString("Cible introuvable"));
    QCOMPARE(ResolveShortcut(m_dir->path()).errorText, QString("Cible introuvable"));
}

QTEST_MAIN(TestFileUtils)
#include "file_utils.moc"
