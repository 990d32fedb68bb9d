// The "Propriétés du clip" page: the open clip's facts, the no-clip texts,
// and the preview of the file under the cursor while the clip dialog is open
// (shortcuts followed, errors in the error box, the page left alone when a
// file cannot be previewed).
#include "app/main_window.h"
#include "clip/avi_header.h"
#include "clip/file_utils.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/avi_bytes.h"
#include "support/clip_opening.h"
#include "support/generated_clips.h"
#include "support/main_window_fixture.h"
#include "support/measure_window.h"
#include "support/shell_link_bytes.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using traxilo::test::child;
using traxilo::test::MainWindowFixture;
using traxilo::test::openClipThroughDialog;
using traxilo::test::smallClip;

namespace {

const char* const kLabels[] = {
    "lblFile", "lblOctets", "lblDurTot", "lblNbImages", "lblPeriode", "lblFrequence", "lblDim",
    "lblDimL", "lblDimH",   "lblAdapt",  "lblCodec1",   "lblCodec2",  "lblCodec3"};

// Every label of the page, "name=text" one a line.
QString pageTexts(const TForm1& w) {
    QStringList lines;
    for (const char* name : kLabels) {
        const QLabel* label = child<QWidget>(w, "tsProClip")->findChild<QLabel*>(name);
        lines << QString::fromLatin1(name) + '=' +
                     (label ? label->text() : QStringLiteral("<none>"));
    }
    return lines.join('\n');
}

QString text(const TForm1& w, const char* name) {
    const QLabel* label = child<QWidget>(w, "tsProClip")->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<none>");
}

QString noClipPage() {
    return QStringLiteral("lblFile=Fichier : ?\nlblOctets=Taille : ?\n"
                          "lblDurTot=Durée du clip : 0 s\nlblNbImages=Nombre d'images : 0\n"
                          "lblPeriode=Durée / image : 0 s\nlblFrequence=Fréquence : ? image / s\n"
                          "lblDim=Dimensions\nlblDimL=Largeur : 0 pixel\n"
                          "lblDimH=Hauteur : 0 pixel\nlblAdapt=Adaptation : ?\n"
                          "lblCodec1=Compression / décompression :\nlblCodec2=?\nlblCodec3=?");
}

void cancelClipDialog(MainWindowFixture& f) {
    f.seams.answerNextFile(std::nullopt);
    child<QToolButton>(*f.window, "bbtnOpenAvi")->click();
}

// Plays a user browsing: each path in turn becomes the selection, and the
// page is read while the dialog is still open. Then the dialog is cancelled.
QStringList browse(MainWindowFixture& f, const QStringList& selections) {
    QStringList seen;
    f.seams.setFileDialogHook([&](const FileDialogRequest& request) {
        for (const QString& path : selections) {
            request.selectionChanged(path);
            seen << pageTexts(*f.window);
        }
    });
    cancelClipDialog(f);
    f.seams.setFileDialogHook({});
    return seen;
}

QString aviFile(const QString& name, const test::AviFields& fields, int size = 512) {
    const QString path = testing::scratchFolder() + '/' + name;
    return test::writeBytes(path, test::makeAviBytes(fields, size)) ? path : QString();
}

} // namespace

class ClipPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pageBeforeAnyClip();
    void pageOfTheOpenClip();
    void headerCodeThatLies();
    void previewWhileBrowsing_data();
    void previewWhileBrowsing();
    void previewFollowsShortcut();
    void previewErrors_data();
    void previewErrors();
    void selectingAFolderResets();
};

void ClipPropertiesTest::initTestCase() {
    setDecimalSeparator(QLatin1Char(','));
}

void ClipPropertiesTest::pageBeforeAnyClip() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    // The texts the page is built with, then the no-clip texts once reset.
    QCOMPARE(text(w, "lblFrequence"), QStringLiteral("Fréquence : ? images / s"));
    QCOMPARE(text(w, "lblCodec2"), QStringLiteral("fourcc ?"));
    QCOMPARE(text(w, "lblCodec3"), QStringLiteral("codec ?"));
    for (const char* panel : {"pnlProFichier", "pnlProDuree", "pnlProDim", "pnlProCodec"}) {
        QVERIFY2(child<QWidget>(w, "tsProClip")->findChild<QFrame*>(panel), panel);
    }

    cancelClipDialog(f);
    QCOMPARE(pageTexts(w), noClipPage());
}

void ClipPropertiesTest::pageOfTheOpenClip() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QString path = smallClip(20);
    // The last file previewed is not the one opened: another clip's header.
    test::AviFields other;
    other.frames = 77;
    const QString previewed = aviFile("other_preview.avi", other);
    f.seams.setFileDialogHook(
        [&](const FileDialogRequest& request) { request.selectionChanged(previewed); });
    QVERIFY(openClipThroughDialog(w, f.seams, path));
    f.seams.setFileDialogHook({});
    const QString fourCC = w.document().clip().codec; // as the header has it
    QVERIFY(!fourCC.isEmpty());
    const QString afterOpening = pageTexts(w);
    // A code the AVI table does not know is named by the decoder.
    const QString codecName = CodecName(fourCC) == QLatin1String("inconnu")
                                  ? QStringLiteral("Motion JPEG")
                                  : CodecName(fourCC);

    cancelClipDialog(f);
    const QString expected =
        QStringLiteral("lblFile=Fichier : %1\nlblOctets=Taille : %2\n"
                       "lblDurTot=Durée du clip : 0,800 s\nlblNbImages=Nombre d'images : 20\n"
                       "lblPeriode=Durée / image : 40 ms\nlblFrequence=Fréquence : 25 images / s\n"
                       "lblDim=Dimensions\nlblDimL=Largeur : 320 pixels\n"
                       "lblDimH=Hauteur : 240 pixels\nlblAdapt=Adaptation : 100%\n"
                       "lblCodec1=Compression / décompression :\nlblCodec2=%3\nlblCodec3=%4")
            .arg(QFileInfo(path).fileName(), FileSizeText(path), fourCC, codecName);
    // The opened clip's facts, from the opening on.
    QCOMPARE(afterOpening, expected);
    QCOMPARE(pageTexts(w), expected);
    QVERIFY(w.document().hasClip()); // cancelling kept the clip

    // From then on the code is shown in lower case; the size shown is the clip's.
    child<QLabel>(w, "lblAdapt")->setText(QStringLiteral("Adaptation : 50%"));
    cancelClipDialog(f);
    QCOMPARE(text(w, "lblCodec2"), fourCC.toLower());
    QCOMPARE(text(w, "lblAdapt"), QStringLiteral("Adaptation : 100%"));
}

// A camera writes "DIB " (uncompressed) in the header over a Motion JPEG
// stream: the preview reads the header, the open clip says what is decoded.
void ClipPropertiesTest::headerCodeThatLies() {
    if (test::samplesDir().isEmpty())
        QSKIP("the real sample clips (../shared/samples) are absent");
    const QString path = test::samplesDir() + QStringLiteral("/avi/ball_segmentation_ball.avi");
    MainWindowFixture f;
    QVERIFY(f.isValid());
    f.seams.failOnUnexpected(true);
    TForm1& w = *f.window;
    const QStringList seen = browse(f, {path});
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen[0].contains(QStringLiteral("lblCodec2=DIB \nlblCodec3=Microsoft Bitmap, "
                                            "non compressé")));

    QVERIFY(openClipThroughDialog(w, f.seams, path));
    QCOMPARE(text(w, "lblCodec2"), QStringLiteral("MJPG (DIB )"));
    QCOMPARE(text(w, "lblCodec3"), QStringLiteral("Motion JPEG"));
    // A generated clip's header tells the truth: shown as it is.
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    QCOMPARE(text(w, "lblCodec2"), QStringLiteral("MJPG"));
    QCOMPARE(text(w, "lblCodec3"), QStringLiteral("Motion JPEG"));
}

void ClipPropertiesTest::previewWhileBrowsing_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("timing");  // lblDurTot, lblNbImages, lblPeriode, lblFrequence
    QTest::addColumn<QString>("picture"); // lblDimL, lblDimH
    QTest::addColumn<QString>("codec");   // lblCodec2, lblCodec3

    test::AviFields cinepak; // 100 frames, 320 x 240, cvid, 25 per second
    QTest::newRow("AVI header")
        << aviFile("cinepak.avi", cinepak)
        << "Durée du clip : 4,000 s|Nombre d'images : 100|Durée / image : 40 ms|"
           "Fréquence : 25 images / s"
        << "Largeur : 320 pixels|Hauteur : 240 pixels"
        << "cvid|Cinepak Codec by Radius";

    test::AviFields ntsc;
    ntsc.frames = 300;
    ntsc.width = 640;
    ntsc.height = 480;
    ntsc.fourCC = QByteArray("MSVC");
    ntsc.scale = 1001;
    ntsc.rate = 30000;
    QTest::newRow("capital extension")
        << aviFile("NTSC.AVI", ntsc)
        << "Durée du clip : 10,010 s|Nombre d'images : 300|Durée / image : 33 ms|"
           "Fréquence : 30 images / s"
        << "Largeur : 640 pixels|Hauteur : 480 pixels"
        << "MSVC|Microsoft Video 1";

    const QString generated = smallClip(20, 160, 120);
    const AviHeaderResult header = ReadAviHeader(generated);
    QTest::newRow("generated clip")
        << generated
        << "Durée du clip : 0,800 s|Nombre d'images : 20|Durée / image : 40 ms|"
           "Fréquence : 25 images / s"
        << "Largeur : 160 pixels|Hauteur : 120 pixels"
        << header.info.codecFourCC + '|' + CodecName(header.info.codecFourCC);
}

void ClipPropertiesTest::previewWhileBrowsing() {
    QFETCH(QString, path);
    QFETCH(QString, timing);
    QFETCH(QString, picture);
    QFETCH(QString, codec);
    QVERIFY(!path.isEmpty());
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    child<QLabel>(w, "lblAdapt")->setText(QStringLiteral("Adaptation : 250%"));

    const QStringList seen = browse(f, {path});
    QCOMPARE(seen.size(), 1);
    const QStringList t = timing.split('|');
    const QStringList p = picture.split('|');
    const QStringList c = codec.split('|');
    const QString expected =
        QStringLiteral("lblFile=Fichier : %1\nlblOctets=Taille : %2\nlblDurTot=%3\n"
                       "lblNbImages=%4\nlblPeriode=%5\nlblFrequence=%6\nlblDim=Dimensions\n"
                       "lblDimL=%7\nlblDimH=%8\nlblAdapt=Adaptation : 250%\n"
                       "lblCodec1=Compression / décompression :\nlblCodec2=%9\nlblCodec3=%10")
            .arg(QFileInfo(path).fileName(), FileSizeText(path), t[0], t[1], t[2], t[3], p[0], p[1],
                 c[0])
            .arg(c[1]);
    QCOMPARE(seen.first(), expected);
    // Cancelling put back the page of no clip.
    QCOMPARE(pageTexts(w), noClipPage());
}

void ClipPropertiesTest::previewFollowsShortcut() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    const QString folder = testing::scratchFolder() + QStringLiteral("/links");
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/clips")));
    test::AviFields fields;
    fields.frames = 50;
    QVERIFY(
        test::writeBytes(folder + QStringLiteral("/clips/cible.avi"), test::makeAviBytes(fields)));
    test::ShellLinkFields link;
    link.relativePath = QStringLiteral(".\\clips\\cible.avi");
    const QString shortcut = folder + QStringLiteral("/raccourci vers cible.lnk");
    QVERIFY(test::writeBytes(shortcut, test::makeShellLinkBytes(link)));

    const QStringList seen = browse(f, {shortcut});
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen.first().contains(QStringLiteral("lblFile=Fichier : cible.avi\n")),
             qPrintable(seen.first()));
    QVERIFY(seen.first().contains(QStringLiteral("lblOctets=Taille : ") +
                                  FileSizeText(folder + QStringLiteral("/clips/cible.avi")) +
                                  '\n'));
    QVERIFY(seen.first().contains(QStringLiteral("lblNbImages=Nombre d'images : 50\n")));
}

void ClipPropertiesTest::previewErrors_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("error");

    QTest::newRow("100-byte AVI") << aviFile("short.avi", test::AviFields(), 100)
                                  << "Lecture au-delà de la fin de fichier";
    const QString broken = testing::scratchFolder() + QStringLiteral("/broken.lnk");
    test::writeBytes(broken, QByteArray("not a shortcut at all"));
    QTest::newRow("broken shortcut") << broken << "Cible introuvable";
    test::ShellLinkFields nowhere;
    nowhere.relativePath = QStringLiteral(".\\absent.avi");
    const QString dangling = testing::scratchFolder() + QStringLiteral("/dangling.lnk");
    test::writeBytes(dangling, test::makeShellLinkBytes(nowhere));
    QTest::newRow("shortcut to nothing") << dangling << "Cible introuvable";
    // A file that is no clip shows its name and why: test clip_facts.
}

void ClipPropertiesTest::previewErrors() {
    QFETCH(QString, path);
    QFETCH(QString, error);
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    test::AviFields shown;
    shown.frames = 77;
    const QString good = aviFile("shown.avi", shown);

    f.seams.answerNext(true); // the error box
    // The page keeps what the previous selection showed.
    const QStringList seen = browse(f, {good, path});
    QCOMPARE(seen.size(), 2);
    QVERIFY(seen[0].contains(QStringLiteral("Nombre d'images : 77")));
    QCOMPARE(seen[1], seen[0]);
    QCOMPARE(f.seams.messages().size(), 1);
    QCOMPARE(f.seams.messages().first().kind, MessageKind::Error);
    QCOMPARE(f.seams.messages().first().text, error);
    QVERIFY(!w.document().hasClip());
}

void ClipPropertiesTest::selectingAFolderResets() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    test::AviFields fields;
    const QString preview = aviFile("folder_case.avi", fields);

    // Without a clip: the no-clip texts.
    QStringList seen = browse(f, {preview, testing::scratchFolder()});
    QCOMPARE(seen[1], noClipPage());

    // With a clip: its facts.
    const QString clip = smallClip(20);
    QVERIFY(openClipThroughDialog(w, f.seams, clip));
    seen = browse(f, {preview, testing::scratchFolder(), QString()});
    QVERIFY(seen[1].contains(QStringLiteral("lblNbImages=Nombre d'images : 20\n")));
    QVERIFY(seen[1].contains(QStringLiteral("lblFile=Fichier : ") + QFileInfo(clip).fileName()));
    // Shown once as stored, the code is in lower case from then on.
    const QString stored = w.document().clip().codec;
    QVERIFY(stored != stored.toLower());
    QVERIFY(seen[1].contains(QStringLiteral("lblCodec2=") + stored + '\n'));
    QVERIFY(seen[2].contains(QStringLiteral("lblCodec2=") + stored.toLower() + '\n'));
    QCOMPARE(QString(seen[2]).remove(QStringLiteral("lblCodec2=") + stored.toLower()),
             QString(seen[1]).remove(QStringLiteral("lblCodec2=") + stored));
}

QTEST_MAIN(ClipPropertiesTest)
#include "clip_properties.moc"
