// A file that turns out not to be a clip must cost the user nothing: after
// twenty pointed rows, each failed opening leaves the clip, the tables, the
// marks and every label exactly as they were.
#include "app/main_window.h"
#include "document/measurement_document.h"
#include "support/avi_bytes.h"
#include "support/clip_opening.h"
#include "support/generated_clips.h"
#include "support/measure_window.h"

#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

// What the user sees and what was measured.
struct WindowState {
    std::vector<PointPosition> positions;
    QStringList table;
    QImage surface;
    QStringList labels; // objectName=text of every label
    QString clipPath;
    int frameCount = 0;
    int frame = -1;

    explicit WindowState(const TForm1& w)
        : table(tableCells(w)), surface(surfaceImage(w)), clipPath(w.document().clip().path),
          frameCount(w.document().frameCount()), frame(frameShown(w)) {
        for (int f = 0; f < frameCount; ++f)
            positions.push_back(w.document().position(f, 1).value_or(PointPosition{}));
        for (const QLabel* label : w.findChildren<QLabel*>())
            labels << label->objectName() + QLatin1Char('=') + label->text();
        labels.sort(); // showing another page may reorder the children
    }
};

QString samplePath(const char* name) {
    return QStringLiteral(TRAXILO_SAMPLES_DIR "/avi/") + QLatin1String(name);
}

} // namespace

class FailedOpening : public QObject {
    Q_OBJECT
private slots:
    void keepsEverything_data();
    void keepsEverything();
};

void FailedOpening::keepsEverything_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("bytes"); // written to `path` first when not empty
    const QString scratch = testing::scratchFolder();
    QTest::newRow("ZIP named .avi") << samplePath("fuzzcorpus_new.avi") << QByteArray();
    QTest::newRow("audio only") << samplePath("MediaArea_AAC_file1.avi") << QByteArray();
    QTest::newRow("headers without frames") << samplePath("exiftool_RIFF.avi") << QByteArray();
    QTest::newRow("text named .avi")
        << scratch + "/notes.avi" << QByteArray("Ceci n'est pas un clip.\r\n").repeated(40);
    QTest::newRow("missing file") << scratch + "/absent.avi" << QByteArray();
}

void FailedOpening::keepsEverything() {
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    if (!bytes.isEmpty())
        QVERIFY(test::writeBytes(path, bytes));
    if (path.startsWith(QStringLiteral(TRAXILO_SAMPLES_DIR)) && !QFileInfo::exists(path))
        QSKIP("the real samples folder ../shared/samples is absent");

    MainWindowFixture f;
    QVERIFY(f.isValid());
    const OpenedClip clip = openGeneratedClip(f, smallClipSpec(20), QStringLiteral("good.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *f.window;
    for (int i = 0; i < 20; ++i)
        clickSurface(w, QPoint(10 + 6 * i, 100 - 4 * i));
    QCOMPARE(w.document().positionCount(), 20);
    showFrame(w, 7); // somewhere in the middle, marks on show
    const WindowState before(w);

    f.seams.clear();
    f.seams.answerNextFile(path);
    f.seams.answerNext(true); // the error box
    child<QToolButton>(w, "bbtnOpenAvi")->click();

    QCOMPARE(f.seams.count(MessageKind::Error), 1);
    QVERIFY2(f.seams.lastText().startsWith(QStringLiteral("Impossible d'ouvrir le clip")),
             qPrintable(f.seams.lastText()));
    QVERIFY(w.document().hasClip());
    const WindowState after(w);
    QVERIFY(after.positions == before.positions);
    QCOMPARE(after.table, before.table);
    QCOMPARE(after.labels, before.labels);
    QCOMPARE(after.clipPath, before.clipPath);
    QCOMPARE(after.frameCount, before.frameCount);
    QCOMPARE(after.frame, before.frame);
    QVERIFY(after.surface == before.surface);
    // The old clip is still the one measured: the next frame comes from it.
    child<QToolButton>(w, "bbtnSui")->click();
    QCOMPARE(frameShown(w), 8);
    QCOMPARE(shownFrame(w), 8);
}

QTEST_MAIN(FailedOpening)
#include "failed_opening.moc"
