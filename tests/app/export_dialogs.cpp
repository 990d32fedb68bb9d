// The export dialogs on their own, built with the models they edit: what
// they remember, what "Annuler" brings back, and the Regressi path dialog's
// rules over the settings file.
#include "app/config_file.h"
#include "app/dialogs/graphic_clipboard_dialog.h"
#include "app/dialogs/regressi_path_dialog.h"
#include "app/dialogs/table_clipboard_dialog.h"
#include "app/dialogs/text_format_dialog.h"
#include "app/radio_group.h"
#include "app/shape_widget.h"
#include "support/measure_window.h"
#include "support/seam_answerer.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace traxilo;
using traxilo::test::SeamAnswerer;

namespace {

void showAndWait(QDialog& dialog) {
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
}

void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

bool touch(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("MZ") == 2;
}

} // namespace

class ExportDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void textDialogAnnulerRestoresBoth();
    void tableDialogAnnulerRestoresTheTitleOnly();
    void pictureDialogBackground();
    void regressiPathOnShow_data();
    void regressiPathOnShow();
    void regressiPathConfirmed_data();
    void regressiPathConfirmed();
    void regressiPathBrowse();
};

void ExportDialogsTest::textDialogAnnulerRestoresBoth() {
    TFormatTxtBox box;
    QCOMPARE(box.title(), QStringLiteral("Pointages Traxilo"));
    QCOMPARE(box.separator(), QChar(u'\t'));
    showAndWait(box);
    retype(box.edFormatTxtTitre, QStringLiteral("Chute"));
    box.rgSeparTxt->button(1)->click();
    QTest::mouseClick(box.CancelBtn, Qt::LeftButton);
    QCOMPARE(box.title(), QStringLiteral("Pointages Traxilo"));
    QCOMPARE(box.separator(), QChar(u'\t'));

    // Kept from one showing to the next after OK.
    showAndWait(box);
    retype(box.edFormatTxtTitre, QStringLiteral("Chute"));
    box.rgSeparTxt->button(3)->click();
    QTest::mouseClick(box.OKBtn, Qt::LeftButton);
    showAndWait(box);
    QCOMPARE(box.title(), QStringLiteral("Chute"));
    QCOMPARE(box.separator(), QChar(u' '));
    box.hide();
}

void ExportDialogsTest::tableDialogAnnulerRestoresTheTitleOnly() {
    TSauveTableauPPBox box;
    showAndWait(box);
    retype(box.edSauvePPTitre, QStringLiteral("Autre"));
    box.rgSeparTxt->button(2)->click();
    QTest::mouseClick(box.CancelBtn, Qt::LeftButton);
    QCOMPARE(box.title(), QStringLiteral("Pointages Traxilo"));
    QCOMPARE(box.separator(), QChar(u','));
}

void ExportDialogsTest::pictureDialogBackground() {
    TSauveGraphicPPBox box;
    showAndWait(box);
    QVERIFY(!box.includeImage());
    QCOMPARE(box.GraphBackgroundColour, QColor(Qt::white));
    SeamAnswerer seams;
    seams.answerNextColour(std::nullopt);
    QTest::mouseClick(box.btnCouleurFond, Qt::LeftButton);
    QCOMPARE(box.GraphBackgroundColour, QColor(Qt::white));
    seams.answerNextColour(QColor(0, 0, 0));
    QTest::mouseClick(box.btnCouleurFond, Qt::LeftButton);
    QCOMPARE(seams.colourRequests(), (QList<QColor>{Qt::white, Qt::white}));
    QCOMPARE(box.GraphBackgroundColour, QColor(0, 0, 0));
    QCOMPARE(box.shpCouleurFond->fillColour(), QColor(0, 0, 0));

    box.rgIncExc->button(0)->click();
    QVERIFY(box.includeImage());
    QVERIFY(!box.shpCouleurFond->filled());
    QVERIFY(!box.btnCouleurFond->isEnabled());
    box.rgIncExc->button(1)->click();
    QVERIFY(box.shpCouleurFond->filled());
    QVERIFY(box.btnCouleurFond->isEnabled());
    box.hide();
    // The swatch's colour is the background of the next showing.
    showAndWait(box);
    QCOMPARE(box.GraphBackgroundColour, QColor(0, 0, 0));
    box.hide();
}

void ExportDialogsTest::regressiPathOnShow_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("ok");
    QTest::newRow("WIN and the file") << "WIN" << true << 0 << true;
    QTest::newRow("dos and the file") << "dos" << true << 1 << true;
    QTest::newRow("defaults") << "?" << false << -1 << false;
    QTest::newRow("file deleted") << "win" << false << 0 << false;
}

void ExportDialogsTest::regressiPathOnShow() {
    QFETCH(QString, version);
    QFETCH(bool, fileThere);
    QFETCH(int, item);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("Regressi.exe"));
    if (fileThere)
        QVERIFY(touch(exe));
    ConfigFile config(dir.path());
    config.loadAtStartup();
    config.setRegressi(version, exe);
    TaccesregBox box(config);
    showAndWait(box);
    QCOMPARE(box.rgRegVersion->itemIndex(), item);
    QCOMPARE(box.edRegPath->text(), fileThere ? exe : QString());
    QCOMPARE(box.OKBtn->isEnabled(), ok);
    if (item >= 0) {
        // Choosing a version again enables OK.
        box.rgRegVersion->button(item)->click();
        QVERIFY(box.OKBtn->isEnabled());
    }
    box.hide();
}

void ExportDialogsTest::regressiPathConfirmed_data() {
    QTest::addColumn<bool>("browse");   // else pasted into the field
    QTest::addColumn<QString>("typed"); // %1 stands for the executable's path
    QTest::addColumn<int>("item");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<QString>("refused"); // part of the error, empty when saved
    QTest::addColumn<QString>("stored");
    QTest::newRow("Windows") << true << "" << 0 << true << ""
                             << "win";
    QTest::newRow("DOS") << true << "" << 1 << true << ""
                         << "DOS";
    QTest::newRow("pasted") << false << "%1" << 0 << true << ""
                            << "win";
    QTest::newRow("pasted with quotes") << false << " \"%1\" " << 1 << true << ""
                                        << "DOS";
    QTest::newRow("no file there") << true << "" << 0 << false << "n'existe pas"
                                   << "?";
    QTest::newRow("nothing typed") << false << "" << 0 << true << "Indiquez"
                                   << "?";
}

void ExportDialogsTest::regressiPathConfirmed() {
    QFETCH(bool, browse);
    QFETCH(QString, typed);
    QFETCH(int, item);
    QFETCH(bool, fileThere);
    QFETCH(QString, refused);
    QFETCH(QString, stored);
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("dossier Régressi/Regressi.exe"));
    QVERIFY(QDir().mkpath(QFileInfo(exe).absolutePath()));
    ConfigFile config(dir.path());
    config.loadAtStartup();
    if (fileThere)
        QVERIFY(touch(exe));
    SeamAnswerer seams;
    TaccesregBox box(config);
    showAndWait(box);
    box.rgRegVersion->button(item)->click();
    if (browse) {
        seams.answerNextFile(exe);
        QTest::mouseClick(box.btnParcourir, Qt::LeftButton);
    } else {
        box.edRegPath->clear();
        QApplication::clipboard()->setText(typed.arg(exe));
        QTest::keySequence(box.edRegPath, QKeySequence::Paste);
    }
    if (!refused.isEmpty())
        seams.answerNext(true); // the error box
    QTest::mouseClick(box.OKBtn, Qt::LeftButton);
    // A path where no program is is refused with a word; the dialog stays.
    QCOMPARE(box.isVisible(), !refused.isEmpty());
    QCOMPARE(seams.count(MessageKind::Error), refused.isEmpty() ? 0 : 1);
    QVERIFY2(seams.lastText().contains(refused), qPrintable(seams.lastText()));
    if (refused.isEmpty())
        QCOMPARE(box.outcome(), TaccesregBox::Outcome::Saved);
    ConfigFile reread(dir.path());
    const ConfigFile::RegressiEntry entry = reread.readRegressiDirect();
    QCOMPARE(entry.version, stored);
    QCOMPARE(entry.path, refused.isEmpty() ? exe : QStringLiteral("?"));
    box.hide();
}

void ExportDialogsTest::regressiPathBrowse() {
    QTemporaryDir dir;
    ConfigFile config(dir.path());
    config.loadAtStartup();
    SeamAnswerer seams;
    TaccesregBox box(config);
    showAndWait(box);
    seams.answerNextFile(std::nullopt);
    QTest::mouseClick(box.btnParcourir, Qt::LeftButton);
    QCOMPARE(seams.fileRequests().size(), 1);
    const FileDialogRequest request = seams.fileRequests().front();
    QCOMPARE(request.title, QStringLiteral("Définition du chemin d'accès à Regressi"));
    QCOMPARE(request.filters, QStringList({QStringLiteral("Regressi (éxécutable) (*.exe)"),
                                           QStringLiteral("Tous les fichiers (*)")}));
    QCOMPARE(box.edRegPath->text(), QString());
    QVERIFY(!box.OKBtn->isEnabled()); // a file chosen is not enough without a version
    box.hide();
}

QTEST_MAIN(ExportDialogsTest)
#include "export_dialogs.moc"
