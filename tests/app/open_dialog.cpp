// The clip dialog as a teacher with phone clips meets it: it offers every
// kind of clip the program opens, the properties page previews whichever
// file is selected (or says why it cannot), the page the user was on comes
// back when no clip is opened, and each opening offers the display sizes
// that apply. The window is reached through its commands and object names.
#include "app/hint_tracker.h"
#include "app/main_window.h"
#include "document/measurement_document.h"
#include "support/generated_clips.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QString writeText(const QString& name, const QByteArray& bytes) {
    const QString path = testing::scratchFolder() + QLatin1Char('/') + name;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

// A 25 frames per second clip of `frames` frames, `width` x 240.
QString clip(const QString& name, clipgen::Codec codec, clipgen::Container container, int frames,
             int width = 320) {
    clipgen::ClipSpec clipSpec;
    clipSpec.codec = codec;
    clipSpec.container = container;
    clipSpec.frames = frames;
    clipSpec.width = width;
    clipSpec.height = 240;
    return testing::generatedClip(clipSpec, name);
}

} // namespace

class OpenDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }
    void offersEveryKindOfClip();
    void previewFollowsTheSelection_data();
    void previewFollowsTheSelection();
    void pageComesBackWithoutANewClip_data();
    void pageComesBackWithoutANewClip();
    void eachOpeningOffersTheSizesThatApply();

private:
    TForm1& w() { return *m_fixture->window; }
    SeamAnswerer& seams() { return m_fixture->seams; }
    template <typename T> T* named(const char* name) {
        T* child = w().findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no %s in the window", name);
        return child;
    }
    // "Ouvrir un clip vidéo..." with the dialog answered by `path` (nothing:
    // cancelled).
    void openThroughMenu(std::optional<QString> path) {
        seams().answerNextFile(std::move(path));
        named<QAction>("mnuOuvrirClip")->trigger();
    }
    QWidget* currentPage() { return named<QTabWidget>("PageControl1")->currentWidget(); }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void OpenDialogTest::init() {
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    w().resize(1100, 700);
    w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w()));
}

void OpenDialogTest::offersEveryKindOfClip() {
    openThroughMenu(std::nullopt);
    QCOMPARE(seams().fileRequests().size(), 1);
    const FileDialogRequest request = seams().fileRequests().first();
    QCOMPARE(request.title, QStringLiteral("Ouverture d'un clip vidéo"));
    // The filter shown first lists every kind, AVI first.
    const QString shown = request.filters.value(0);
    QVERIFY2(shown.startsWith(QStringLiteral("clips vidéo (*.avi ")), qPrintable(shown));
    for (const char* kind : {"*.mp4", "*.mov", "*.m4v", "*.mkv", "*.webm", "*.3gp"})
        QVERIFY2(shown.contains(QLatin1String(kind)), kind);
    QVERIFY(request.filters.contains(QStringLiteral("fichiers  AVI (*.avi)")));
    // The hints say what the command does, not "*.avi".
    for (const QString& hint : {HintTracker::hint(named<QToolButton>("bbtnOpenAvi")),
                                named<QAction>("mnuOuvrirClip")->statusTip()}) {
        QVERIFY2(hint.contains(QStringLiteral("clip vidéo")) && !hint.contains(QLatin1String("*.")),
                 qPrintable(hint));
    }
}

void OpenDialogTest::previewFollowsTheSelection_data() {
    QTest::addColumn<QString>("second"); // selected after an AVI of 20 frames
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("frames");
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("unreadable");
    using clipgen::Codec;
    using clipgen::Container;
    QTest::newRow("MP4") << clip("phone.mp4", Codec::H264, Container::Mp4, 30, 480) << "phone.mp4"
                         << "Nombre d'images : 30"
                         << "Largeur : 480 pixels" << false;
    QTest::newRow("MOV in capitals")
        << clip("IMG_0042.MOV", Codec::H264, Container::Mov, 15) << "IMG_0042.MOV"
        << "Nombre d'images : 15"
        << "Largeur : 320 pixels" << false;
    QTest::newRow("text named .mp4") << writeText("notes.mp4", "pas une vidéo\n") << "notes.mp4"
                                     << "Nombre d'images : 0"
                                     << "Largeur : 0 pixel" << true;
}

void OpenDialogTest::previewFollowsTheSelection() {
    QFETCH(QString, second);
    QFETCH(QString, file);
    QFETCH(QString, frames);
    QFETCH(QString, width);
    QFETCH(bool, unreadable);
    const QString avi = clip("school.avi", clipgen::Codec::Mjpeg, clipgen::Container::Avi, 20);
    QVERIFY(!avi.isEmpty() && !second.isEmpty());
    QStringList seen;
    bool reasonShown = false;
    seams().setFileDialogHook([&](const FileDialogRequest& request) {
        // The user browses: the AVI, then the other file.
        request.selectionChanged(avi);
        seen << labelText(w(), "lblFile") << labelText(w(), "lblNbImages");
        request.selectionChanged(second);
        seen << labelText(w(), "lblFile") << labelText(w(), "lblNbImages")
             << labelText(w(), "lblDimL");
        auto* reason = w().findChild<QLabel*>(QStringLiteral("lblApercu"));
        reasonShown = reason && reason->isVisibleTo(&w()) &&
                      reason->text().startsWith(QStringLiteral("Aperçu impossible : "));
    });
    openThroughMenu(std::nullopt);
    const QStringList expected{"Fichier : school.avi", "Nombre d'images : 20", "Fichier : " + file,
                               frames, width};
    QCOMPARE(seen, expected);
    QCOMPARE(reasonShown, unreadable);
}

void OpenDialogTest::pageComesBackWithoutANewClip_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("cancelled"); // else a file that is no clip is chosen
    QTest::newRow("Mesures, cancelled") << "tsMesures" << true;
    QTest::newRow("Etalonnage, cancelled") << "tsEtalon" << true;
    QTest::newRow("Mesures, no clip chosen") << "tsMesures" << false;
}

void OpenDialogTest::pageComesBackWithoutANewClip() {
    QFETCH(QString, page);
    QFETCH(bool, cancelled);
    const QString avi = clip("school.avi", clipgen::Codec::Mjpeg, clipgen::Container::Avi, 20);
    openThroughMenu(avi);
    QVERIFY(w().document().hasClip());
    auto* before = w().findChild<QWidget*>(page);
    named<QTabWidget>("PageControl1")->setCurrentWidget(before);
    QWidget* whileBrowsing = nullptr;
    seams().setFileDialogHook([&](const FileDialogRequest&) { whileBrowsing = currentPage(); });
    if (cancelled) {
        openThroughMenu(std::nullopt);
    } else {
        seams().failOnUnexpected(false); // the error box
        openThroughMenu(writeText("notes.avi", "pas une vidéo\n"));
        QVERIFY(seams().lastText().contains(QStringLiteral("n'est pas un clip vidéo reconnu")));
    }
    QCOMPARE(whileBrowsing, named<QWidget>("tsProClip"));
    QCOMPARE(currentPage(), before);
    QCOMPARE(labelText(w(), "lblFile"), QStringLiteral("Fichier : school.avi"));
}

void OpenDialogTest::eachOpeningOffersTheSizesThatApply() {
    // Larger than the clip area: "Adapter" shows it smaller.
    openThroughMenu(clip("large.avi", clipgen::Codec::Mjpeg, clipgen::Container::Avi, 5, 1600));
    QVERIFY(w().document().hasClip());
    auto* hundred = named<QAction>("mnuIma100");
    auto* adapt = named<QAction>("mnuImaAdapter");
    auto* other = named<QAction>("mnuImaAutre");
    auto* sizeDialog = named<QDialog>("tailleImaBox");
    runModal(
        sizeDialog, [adapt] { adapt->trigger(); },
        [sizeDialog] { sizeDialog->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click(); });
    QVERIFY(labelText(w(), "lblAdapt") != QStringLiteral("Adaptation : 100%"));
    QVERIFY(hundred->isEnabled());
    QVERIFY(!adapt->isEnabled()); // already fitted

    // The next clip opens at 100 %: "Adapter" and "Autre..." apply, "100%" not.
    openThroughMenu(clip("small.avi", clipgen::Codec::Mjpeg, clipgen::Container::Avi, 5, 160));
    QCOMPARE(labelText(w(), "lblAdapt"), QStringLiteral("Adaptation : 100%"));
    QVERIFY(!hundred->isEnabled());
    QVERIFY(adapt->isEnabled());
    QVERIFY(other->isEnabled());
}

QTEST_MAIN(OpenDialogTest)
#include "open_dialog.moc"
