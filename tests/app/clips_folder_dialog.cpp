// "Accès aux clips...": the choice between the last clip's folder and a
// fixed one, kept in lines 4 and 5 of the settings file, and what the next
// clip dialog makes of it.
#include "app/dialogs/clips_folder_dialog.h"
#include "app/main_window.h"
#include "support/clip_opening.h"
#include "support/main_window_fixture.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace traxilo;
using traxilo::test::MainWindowFixture;
using traxilo::test::openClipThroughDialog;
using traxilo::test::smallClip;

namespace {

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

bool writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()) > 0;
}

// The settings file of the window started by `f`.
QString settingsPath(const MainWindowFixture& f) {
    return f.folder() + QStringLiteral("/txconfig.txt");
}

TaccesClipsBox* clipsBox(const TForm1& w) {
    return traxilo::test::child<TaccesClipsBox>(w, "accesClipsBox");
}

// Runs "Accès aux clips..." as the user would; `act` runs while the dialog is
// on show.
void runDialog(TForm1& w, const std::function<void(TaccesClipsBox&)>& act) {
    TaccesClipsBox* box = clipsBox(w);
    traxilo::test::runModal(
        box, [&w] { traxilo::test::trigger(w, "mnuAccesClips"); }, [box, act] { act(*box); });
}

// The folder the clip dialog starts in, the dialog cancelled.
QString clipDialogStart(MainWindowFixture& f) {
    f.seams.answerNextFile(std::nullopt);
    traxilo::test::child<QToolButton>(*f.window, "bbtnOpenAvi")->click();
    return f.seams.fileRequests().last().startFolder;
}

} // namespace

class ClipsFolderDialogTest : public QObject {
    Q_OBJECT
private slots:
    void builtAtStartUp();
    void fixedFolderSurvivesAnOpening();
    void lastClipFolderFollowsOpenings();
    void unknownModeWantsAChoice();
    void browseForTheFolder_data();
    void browseForTheFolder();
    void withoutSettingsFileOnlyMemoryChanges();
};

void ClipsFolderDialogTest::builtAtStartUp() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TaccesClipsBox* box = clipsBox(*f.window);
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QStringLiteral("Définition du chemin d'accès aux clips"));
    // As shown: the "&" marks the Alt access key.
    auto shown = [](const QAbstractButton* b) { return b->text().remove(QLatin1Char('&')); };
    QCOMPARE(shown(box->rb1), QStringLiteral("Utiliser le dossier du dernier clip"));
    QCOMPARE(shown(box->rb2), QStringLiteral("Toujours utiliser le dossier suivant : "));
    QCOMPARE(shown(box->btnParcourir), QStringLiteral("Parcourir..."));
    QCOMPARE(shown(box->CancelBtn), QStringLiteral("Annuler"));
    QVERIFY(box->rb1->isChecked());
    QVERIFY(!box->edClipsPath->isEnabled());
    QVERIFY(!(box->windowFlags() & Qt::WindowCloseButtonHint));
}

void ClipsFolderDialogTest::fixedFolderSurvivesAnOpening() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QString fixed = f.folder() + QStringLiteral("/fixe/");

    runDialog(w, [&](TaccesClipsBox& box) {
        QVERIFY(!box.btnParcourir->isEnabled());
        box.rb2->click();
        QVERIFY(box.edClipsPath->isEnabled());
        QVERIFY(box.btnParcourir->isEnabled());
        box.edClipsPath->setText(fixed);
        box.OKBtn->click();
    });
    QCOMPARE(fileLines(settingsPath(f)).mid(3, 2), QStringList({"1", fixed}));

    // A clip from elsewhere does not move the starting folder.
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    QCOMPARE(fileLines(settingsPath(f)).value(4), fixed);
    QCOMPARE(clipDialogStart(f), fixed);

    // Shown again: the choice comes back from the file.
    runDialog(w, [&](TaccesClipsBox& box) {
        QVERIFY(box.rb2->isChecked());
        QVERIFY(box.btnParcourir->isEnabled());
        QCOMPARE(box.edClipsPath->text(), fixed);
        box.CancelBtn->click();
    });
    QCOMPARE(fileLines(settingsPath(f)).value(3), QStringLiteral("1"));
}

void ClipsFolderDialogTest::lastClipFolderFollowsOpenings() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QStringList lines = fileLines(settingsPath(f));
    QCOMPARE(lines.size(), 8);
    lines[3] = QStringLiteral("1");
    lines[4] = QStringLiteral("/quelque/part/");
    QVERIFY(writeLines(settingsPath(f), lines));

    runDialog(w, [](TaccesClipsBox& box) {
        box.rb1->click();
        QVERIFY(!box.edClipsPath->isEnabled());
        box.OKBtn->click();
    });
    QCOMPARE(fileLines(settingsPath(f)).mid(3, 2), QStringList({"0", "/quelque/part/"}));

    const QString clip = smallClip(20);
    QVERIFY(openClipThroughDialog(w, f.seams, clip));
    const QString folder = QFileInfo(clip).absolutePath() + '/';
    QCOMPARE(fileLines(settingsPath(f)).value(4), folder);
    QCOMPARE(clipDialogStart(f), folder);
}

void ClipsFolderDialogTest::unknownModeWantsAChoice() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QStringList lines = fileLines(settingsPath(f));
    QCOMPARE(lines.size(), 8);
    lines[3] = QStringLiteral("2");
    lines[4] = QStringLiteral("/dossier/lu/");
    QVERIFY(writeLines(settingsPath(f), lines));

    bool checked = false;
    runDialog(w, [&](TaccesClipsBox& box) {
        QVERIFY(!box.rb1->isChecked());
        QVERIFY(!box.rb2->isChecked());
        QVERIFY(!box.OKBtn->isEnabled());
        QVERIFY(!box.CancelBtn->isEnabled());
        QCOMPARE(box.edClipsPath->text(), QStringLiteral("/dossier/lu/"));
        // Escape does not leave it either.
        QTest::keyClick(&box, Qt::Key_Escape);
        QVERIFY(box.isVisible());
        box.rb2->click();
        QVERIFY(box.OKBtn->isEnabled());
        QVERIFY(box.CancelBtn->isEnabled());
        checked = true;
        box.OKBtn->click();
    });
    QVERIFY(checked);
    QCOMPARE(fileLines(settingsPath(f)).mid(3, 2), QStringList({"1", "/dossier/lu/"}));
}

void ClipsFolderDialogTest::browseForTheFolder_data() {
    QTest::addColumn<bool>("picked");
    QTest::newRow("folder picked") << true;
    QTest::newRow("browser cancelled") << false;
}

void ClipsFolderDialogTest::browseForTheFolder() {
    QFETCH(bool, picked);
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    const QString chosen = f.folder() + QStringLiteral("/choisi");
    f.seams.answerNextFile(picked ? std::optional<QString>(chosen) : std::nullopt);

    runDialog(w, [&](TaccesClipsBox& box) {
        box.rb2->click();
        box.edClipsPath->setText(QStringLiteral("/avant"));
        box.btnParcourir->click();
        box.OKBtn->click();
    });
    QCOMPARE(f.seams.fileRequests().size(), 1);
    const FileDialogRequest& request = f.seams.fileRequests().first();
    QCOMPARE(request.kind, FileDialogRequest::Kind::Folder);
    QCOMPARE(request.title, QStringLiteral("Choisissez un dossier..."));
    QCOMPARE(fileLines(settingsPath(f)).value(4), picked ? chosen : QStringLiteral("/avant"));
}

void ClipsFolderDialogTest::withoutSettingsFileOnlyMemoryChanges() {
    MainWindowFixture f;
    QVERIFY(f.isValid());
    TForm1& w = *f.window;
    QVERIFY(QFile::remove(settingsPath(f)));

    runDialog(w, [](TaccesClipsBox& box) {
        // Nothing re-read: the states of the last showing stay.
        QVERIFY(box.rb1->isChecked());
        box.rb2->click();
        box.edClipsPath->setText(QStringLiteral("/nouveau/"));
        box.OKBtn->click();
    });
    QVERIFY(!QFileInfo::exists(settingsPath(f)));
    // Without the file the clip dialog starts where the system likes.
    QVERIFY(clipDialogStart(f).isEmpty());
    // The fixed folder is chosen in memory: an opening does not write the
    // folder of its clip (which would make the file again).
    QVERIFY(openClipThroughDialog(w, f.seams, smallClip(20)));
    QVERIFY(!QFileInfo::exists(settingsPath(f)));
}

QTEST_MAIN(ClipsFolderDialogTest)
#include "clips_folder_dialog.moc"
