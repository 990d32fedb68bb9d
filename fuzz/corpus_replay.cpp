// Every file of the fuzzing corpora, and every input that once broke a
// reader (kept under fuzz/regressions), goes through the same entry points
// as under libFuzzer: a crash or a broken rule fails this test, with the
// file named by its data row.
#include "fuzz_targets.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

using namespace traxilo::fuzz;

namespace {

struct Target {
    const char* name; // the folder under fuzz/corpus and fuzz/regressions
    Entry entry;
};
const Target kTargets[] = {
    {"avi_header", aviHeader},   {"shell_link", shellLink},         {"session", session},
    {"config_file", configFile}, {"number_parsing", numberParsing},
};

} // namespace

Q_DECLARE_METATYPE(Entry)

class CorpusReplay : public QObject {
    Q_OBJECT
private slots:
    void everyTargetHasACorpus_data();
    void everyTargetHasACorpus();
    void replay_data();
    void replay();
};

void CorpusReplay::everyTargetHasACorpus_data() {
    QTest::addColumn<QString>("folder");
    for (const Target& target : kTargets)
        QTest::newRow(target.name)
            << QStringLiteral(TRAXILO_FUZZ_DIR "/corpus/%1").arg(QLatin1String(target.name));
}

void CorpusReplay::everyTargetHasACorpus() {
    QFETCH(QString, folder);
    QDirIterator files(folder, QDir::Files);
    QVERIFY2(files.hasNext(), qPrintable(folder + QStringLiteral(" is empty")));
}

void CorpusReplay::replay_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<Entry>("entry");
    for (const char* kind : {"corpus", "regressions"}) {
        for (const Target& target : kTargets) {
            const QString folder = QStringLiteral(TRAXILO_FUZZ_DIR "/%1/%2")
                                       .arg(QLatin1String(kind), QLatin1String(target.name));
            QDirIterator files(folder, QDir::Files);
            while (files.hasNext()) {
                const QString path = files.next();
                QTest::newRow(qPrintable(
                    QStringLiteral("%1/%2/%3")
                        .arg(QLatin1String(kind), QLatin1String(target.name), files.fileName())))
                    << path << target.entry;
            }
        }
    }
}

void CorpusReplay::replay() {
    QFETCH(QString, path);
    QFETCH(Entry, entry);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                   static_cast<std::size_t>(bytes.size())),
             0);
}

QTEST_GUILESS_MAIN(CorpusReplay)
#include "corpus_replay.moc"
