#include "export/file_output.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
} // namespace

class FileOutputTest : public QObject {
    Q_OBJECT
private slots:
    void writes_data();
    void writes();
    void failures_data();
    void failures();
    void proposedFile_data();
    void proposedFile();

private:
    QTemporaryDir m_dir;
};

void FileOutputTest::writes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existing");
    QTest::newRow("new file") << "points.rw3" << false;
    QTest::newRow("replaces a file") << "points.txt" << true;
    QTest::newRow("spaces and accents") << "dossier élève/mes points à moi.rrr" << false;
}

void FileOutputTest::writes() {
    QFETCH(QString, name);
    QFETCH(bool, existing);
    const QString path = m_dir.filePath(name);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    if (existing)
        QVERIFY(writeAll(path, QByteArray(1000, 'x')));
    const QByteArray bytes("t\r\n\xA3\x7F\r\n");
    QCOMPARE(saveBytes(path, bytes), std::nullopt);
    QCOMPARE(readAll(path), bytes);
}

void FileOutputTest::failures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    // Tests run as root: folders are made unusable in ways no permission overrides.
    const QString blocker = m_dir.filePath(QStringLiteral("plain-file"));
    writeAll(blocker, "kept");
    QDir(m_dir.path()).mkpath(QStringLiteral("taken.rw3"));
    QTest::newRow("folder in its place")
        << m_dir.filePath(QStringLiteral("taken.rw3")) << "un dossier porte déjà ce nom";
    QTest::newRow("folder missing")
        << m_dir.filePath(QStringLiteral("absent/points.rw3")) << "n'existe pas";
    QTest::newRow("folder is a file") << blocker + QStringLiteral("/points.rw3") << "n'existe pas";
    QTest::newRow("folder refuses files") << QStringLiteral("/proc/points.rw3") << "";
    QTest::newRow("no name") << QString() << "aucun nom de fichier";
}

void FileOutputTest::failures() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    const std::optional<QString> error = saveBytes(path, "data");
    QVERIFY(error.has_value());
    QVERIFY2(error->contains(QDir::toNativeSeparators(path)), qPrintable(*error));
    QVERIFY2(error->contains(reason), qPrintable(*error));
    QVERIFY(error->startsWith(QStringLiteral("Le fichier")));
    QCOMPARE(readAll(m_dir.filePath(QStringLiteral("plain-file"))), QByteArray("kept"));
}

void FileOutputTest::proposedFile_data() {
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("lastFolder");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("fileName");
    const QString clips = m_dir.filePath(QStringLiteral("clips"));
    const QString results = m_dir.filePath(QStringLiteral("résultats"));
    QDir().mkpath(clips);
    QDir().mkpath(results);
    QTest::newRow("first time: beside the clip")
        << clips + "/chute.avi" << QString() << clips << "chute.txt";
    QTest::newRow("then where it went")
        << clips + "/chute.avi" << results << results << "chute.txt";
    QTest::newRow("that folder deleted")
        << clips + "/chute.avi" << m_dir.filePath(QStringLiteral("effacé")) << clips << "chute.txt";
    QTest::newRow("dots in the name")
        << clips + "/IMG.2024.MOV" << QString() << clips << "IMG.2024.txt";
    QTest::newRow("clip's folder gone") << m_dir.filePath(QStringLiteral("clé USB/chute.avi"))
                                        << QString() << QString() << "chute.txt";
}

void FileOutputTest::proposedFile() {
    QFETCH(QString, clip);
    QFETCH(QString, lastFolder);
    QFETCH(QString, folder);
    QFETCH(QString, fileName);
    const ExportProposal proposal = proposeExportFile(clip, lastFolder, QStringLiteral("txt"));
    QCOMPARE(proposal.folder, folder);
    QCOMPARE(proposal.fileName, fileName);
}

QTEST_GUILESS_MAIN(FileOutputTest)
#include "file_output.moc"
