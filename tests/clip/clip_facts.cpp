#include "clip/clip_facts.h"
#include "common/number_format.h"

#include "support/avi_bytes.h"
#include "support/generated_clips.h"
#include "support/shell_link_bytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace traxilo;
using Action = PreviewOutcome::Action;
using traxilo::test::AviFields;
using traxilo::test::makeAviBytes;
using traxilo::test::writeBytes;

namespace {

QStringList labels(const ProClipTexts& t) {
    return {t.lblFile,     t.lblOctets,  t.lblDurTot,
            t.lblNbImages, t.lblPeriode, t.lblFrequence,
            t.lblDimL,     t.lblDimH,    t.lblAdapt.value_or(QStringLiteral("(untouched)")),
            t.lblCodec2,   t.lblCodec3};
}

// A file for the rows of a table: the test's own folder is made for each row.
QString scratchFile(const QString& name, const QByteArray& bytes) {
    const QString path = traxilo::testing::scratchFolder() + QLatin1Char('/') + name;
    return writeBytes(path, bytes) ? path : QString();
}

ClipInfo ballClip() {
    ClipInfo clip;
    clip.fileName = QStringLiteral("ball.avi");
    clip.sizeText = QStringLiteral("3,805 Mo");
    clip.frameCount = 51;
    clip.framePeriod = 1.0L / 30;
    clip.frameRate = 30;
    clip.width = 960;
    clip.height = 540;
    clip.codecFourCC = QStringLiteral("DIB ");
    return clip;
}

} // namespace

class TestClipFacts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { setDecimalSeparator(u'.'); }

    void pageWithoutClip();
    void pageOfTheOpenClip();
    void fourCCTurnsLowerCaseAfterFirstShow();
    void openClipRoundings_data();
    void openClipRoundings();
    void previewActions_data();
    void previewActions();
    void previewTexts();
    void previewThroughShortcut();
    void previewOfRealSample();

private:
    QString write(const QString& name, const QByteArray& bytes);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestClipFacts::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestClipFacts::write(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir->filePath(name);
    if (!writeBytes(path, bytes))
        qFatal("cannot write a test file");
    return path;
}

void TestClipFacts::pageWithoutClip() {
    const QStringList expected{"Fichier : ?",
                               "Taille : ?",
                               QString::fromUtf8("Durée du clip : 0 s"),
                               "Nombre d'images : 0",
                               QString::fromUtf8("Durée / image : 0 s"),
                               QString::fromUtf8("Fréquence : ? image / s"),
                               "Largeur : 0 pixel",
                               "Hauteur : 0 pixel",
                               "Adaptation : ?",
                               "?",
                               "?"};
    QCOMPARE(labels(RAZProClipTexts(nullptr)), expected);

    // The page as designed differs in three labels only.
    const ProClipTexts designed = DesignedProClipTexts();
    QCOMPARE(designed.lblFrequence, QString::fromUtf8("Fréquence : ? images / s"));
    QCOMPARE(designed.lblCodec2, QString("fourcc ?"));
    QCOMPARE(designed.lblCodec3, QString("codec ?"));
    QCOMPARE(designed.lblDimL, QString("Largeur : 0 pixel"));
    QCOMPARE(ProClipTexts::lblDim, QString("Dimensions"));
    QCOMPARE(ProClipTexts::lblCodec1, QString::fromUtf8("Compression / décompression :"));
}

void TestClipFacts::pageOfTheOpenClip() {
    setDecimalSeparator(u',');
    ClipInfo clip = ballClip();
    const QStringList expected{"Fichier : ball.avi",
                               "Taille : 3,805 Mo",
                               QString::fromUtf8("Durée du clip : 1,700 s"),
                               "Nombre d'images : 51",
                               QString::fromUtf8("Durée / image : 33 ms"),
                               QString::fromUtf8("Fréquence : 30 images / s"),
                               "Largeur : 960 pixels",
                               "Hauteur : 540 pixels",
                               "Adaptation : 100%",
                               "DIB ",
                               QString::fromUtf8("Microsoft Bitmap, non compressé")};
    QCOMPARE(labels(RAZProClipTexts(&clip)), expected);
}

void TestClipFacts::fourCCTurnsLowerCaseAfterFirstShow() {
    ClipInfo clip = ballClip();
    clip.codecFourCC = QStringLiteral("MSVC");
    QCOMPARE(RAZProClipTexts(&clip).lblCodec2, QString("MSVC"));
    QCOMPARE(clip.codecFourCC, QString("msvc"));
    const ProClipTexts again = RAZProClipTexts(&clip);
    QCOMPARE(again.lblCodec2, QString("msvc"));
    QCOMPARE(again.lblCodec3, QString("Microsoft Video 1"));
}

void TestClipFacts::openClipRoundings_data() {
    QTest::addColumn<int>("frames");
    QTest::addColumn<QByteArray>("period");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("perFrame");
    QTest::newRow("25 fps") << 250 << QByteArray("0.04") << "10.000"
                            << "40";
    QTest::newRow("NTSC") << 300 << QByteArray("0.0333666666666666667") << "10.010"
                          << "33";
    QTest::newRow("half a millisecond rounds up") << 3 << QByteArray("0.0125") << "0.038"
                                                  << "13";
    QTest::newRow("one frame") << 1 << QByteArray("0.1") << "0.100"
                               << "100";
}

void TestClipFacts::openClipRoundings() {
    QFETCH(int, frames);
    QFETCH(QByteArray, period);
    QFETCH(QString, duration);
    QFETCH(QString, perFrame);
    ClipInfo clip = ballClip();
    clip.frameCount = frames;
    clip.framePeriod = std::strtold(period.constData(), nullptr);
    const ProClipTexts t = RAZProClipTexts(&clip);
    QCOMPARE(t.lblDurTot, QString::fromUtf8("Durée du clip : ") + duration + " s");
    QCOMPARE(t.lblPeriode, QString::fromUtf8("Durée / image : ") + perFrame + " ms");
}

void TestClipFacts::previewActions_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("frames"); // lblNbImages when shown
    QTest::addColumn<QString>("reason"); // in lblApercu: why nothing is shown

    AviFields rateZero;
    rateZero.rate = 0;
    const QString beyondEnd = QString::fromUtf8("Lecture au-delà de la fin de fichier");
    const QString avi = "Nombre d'images : 100";
    clipgen::ClipSpec phone;
    phone.codec = clipgen::Codec::H264;
    phone.container = clipgen::Container::Mp4;
    phone.frames = 10;
    const QString mp4 = testing::generatedClip(phone, QStringLiteral("phone.mp4"));
    QTest::newRow("AVI") << scratchFile("clip.avi", makeAviBytes(AviFields())) << int(Action::Show)
                         << "" << avi << "";
    QTest::newRow("AVI in capitals") << scratchFile("CLIP.AVI", makeAviBytes(AviFields()))
                                     << int(Action::Show) << "" << avi << "";
    QTest::newRow("100-byte file") << scratchFile("short.avi", QByteArray(100, 'x'))
                                   << int(Action::ShowError) << beyondEnd << ""
                                   << "";
    QTest::newRow("broken shortcut") << scratchFile("clip.lnk", "not a shortcut")
                                     << int(Action::ShowError) << "Cible introuvable"
                                     << ""
                                     << "";
    // Any other file through the video layer: its facts, or why there are
    // none; never the facts of the file selected before.
    QTest::newRow("MP4") << mp4 << int(Action::Show) << ""
                         << "Nombre d'images : 10"
                         << "";
    QTest::newRow("AVI header alone named .mp4")
        << scratchFile("clip.mp4", makeAviBytes(AviFields())) << int(Action::Show) << ""
        << "Nombre d'images : 0"
        << "Aperçu impossible : ";
    QTest::newRow("AVI header of rate 0")
        << scratchFile("zero.avi", makeAviBytes(rateZero)) << int(Action::Show) << ""
        << "Nombre d'images : 0"
        << "reconnu";
    QTest::newRow("text named .mp4")
        << scratchFile("notes.mp4", "pas une vidéo\n") << int(Action::Show) << ""
        << "Nombre d'images : 0"
        << "n'est pas un clip vidéo reconnu";
    QTest::newRow("MP4 cut short") << testing::mp4WithoutIndex() << int(Action::Show) << ""
                                   << "Nombre d'images : 0"
                                   << "incomplet";
}

void TestClipFacts::previewActions() {
    QFETCH(QString, path);
    QFETCH(int, action);
    QFETCH(QString, error);
    QFETCH(QString, frames);
    QFETCH(QString, reason);
    QVERIFY(!path.isEmpty());
    const PreviewOutcome outcome = PreviewSelection(path);
    QCOMPARE(int(outcome.action), action);
    QCOMPARE(outcome.errorText, error);
    if (outcome.action == Action::Show) {
        QCOMPARE(outcome.texts.lblFile, "Fichier : " + QFileInfo(path).fileName());
        QCOMPARE(outcome.texts.lblNbImages, frames);
        QCOMPARE(outcome.texts.lblApercu.isEmpty(), reason.isEmpty());
        QVERIFY2(outcome.texts.lblApercu.contains(reason), qPrintable(outcome.texts.lblApercu));
    }

    // Nothing selected, a folder, a typed name: the page shows the open clip.
    QCOMPARE(PreviewSelection(QString()).action, Action::Reset);
    QCOMPARE(PreviewSelection(m_dir->path()).action, Action::Reset);
    QCOMPARE(PreviewSelection(m_dir->filePath(QStringLiteral("typed.avi"))).action, Action::Reset);
}

void TestClipFacts::previewTexts() {
    setDecimalSeparator(u',');
    AviFields fields;
    fields.frames = 100;
    fields.width = 352;
    fields.height = 288;
    fields.fourCC = "MSVC";
    const QString path = write(QStringLiteral("Chute.AVI"), makeAviBytes(fields, 2000000));
    const PreviewOutcome outcome = PreviewSelection(path);
    QCOMPARE(outcome.action, Action::Show);
    QCOMPARE(outcome.targetPath, path);
    const QStringList expected{"Fichier : Chute.AVI",
                               "Taille : 1,953 Mo",
                               QString::fromUtf8("Durée du clip : 4,000 s"),
                               "Nombre d'images : 100",
                               QString::fromUtf8("Durée / image : 40 ms"),
                               QString::fromUtf8("Fréquence : 25 images / s"),
                               "Largeur : 352 pixels",
                               "Hauteur : 288 pixels",
                               "(untouched)",
                               "MSVC",
                               "Microsoft Video 1"};
    QCOMPARE(labels(outcome.texts), expected);
}

void TestClipFacts::previewThroughShortcut() {
    QDir root(m_dir->path());
    QVERIFY(root.mkdir(QStringLiteral("clips")));
    write(QStringLiteral("clips/Chute libre.avi"), makeAviBytes(AviFields()));
    traxilo::test::ShellLinkFields linkFields;
    linkFields.localBasePath = "C:\\clips\\Chute libre.avi";
    linkFields.relativePath = QStringLiteral(".\\clips\\Chute libre.avi");
    const QString lnk =
        write(QStringLiteral("Raccourci vers chute.LNK"), makeShellLinkBytes(linkFields));

    const PreviewOutcome outcome = PreviewSelection(lnk);
    QCOMPARE(outcome.action, Action::Show);
    QCOMPARE(outcome.targetPath, root.filePath(QStringLiteral("clips/Chute libre.avi")));
    QCOMPARE(outcome.texts.lblFile, QString("Fichier : Chute libre.avi"));

    // A shortcut to something that is no clip: the target's name, and why.
    write(QStringLiteral("notes.txt"), "text");
    linkFields.relativePath = QStringLiteral(".\\notes.txt");
    const QString toText = write(QStringLiteral("notes.lnk"), makeShellLinkBytes(linkFields));
    const PreviewOutcome text = PreviewSelection(toText);
    QCOMPARE(text.texts.lblFile, QString("Fichier : notes.txt"));
    QVERIFY(text.texts.lblApercu.contains(QStringLiteral("reconnu")));
}

void TestClipFacts::previewOfRealSample() {
    const QString dir = traxilo::test::samplesDir();
    if (dir.isEmpty())
        QSKIP("the real sample files (shared/samples) are not on this machine");
    setDecimalSeparator(u',');
    const PreviewOutcome outcome =
        PreviewSelection(dir + QStringLiteral("/avi/ball_segmentation_ball.avi"));
    QCOMPARE(outcome.action, Action::Show);
    QCOMPARE(outcome.texts.lblFile, QString("Fichier : ball_segmentation_ball.avi"));
    QCOMPARE(outcome.texts.lblOctets, QString("Taille : 3,805 Mo")); // 3 896 788 bytes
    QCOMPARE(outcome.texts.lblNbImages, QString("Nombre d'images : 51"));
    QCOMPARE(outcome.texts.lblDurTot, QString::fromUtf8("Durée du clip : 1,700 s"));
    QCOMPARE(outcome.texts.lblPeriode, QString::fromUtf8("Durée / image : 33 ms"));
    QCOMPARE(outcome.texts.lblFrequence, QString::fromUtf8("Fréquence : 30 images / s"));
    QCOMPARE(outcome.texts.lblDimL, QString("Largeur : 960 pixels"));
    QCOMPARE(outcome.texts.lblDimH, QString("Hauteur : 540 pixels"));
    QCOMPARE(outcome.texts.lblCodec2, QString("DIB "));

    // An audio-only AVI has no picture: its header is not valid, and the
    // video layer says why.
    QVERIFY(PreviewSelection(dir + QStringLiteral("/avi/MediaArea_AAC_file1.avi"))
                .texts.lblApercu.contains(QStringLiteral("piste vidéo")));
}

QTEST_GUILESS_MAIN(TestClipFacts)
#include "clip_facts.moc"
