#include "app/application.h"
#include "app/color_dialog_seam.h"
#include "app/file_dialog_seam.h"
#include "app/message_seam.h"
#include "support/modal_driver.h"
#include "support/seam_answerer.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

using namespace traxilo;
using traxilo::test::SeamAnswerer;
using traxilo::test::whenModalShown;

namespace {

class Thrower : public QObject {
public:
    int handled = 0;
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            ++handled;
            throw std::runtime_error("Erreur d'E/S 103");
        }
        return QObject::event(event);
    }
};

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void exceptionInHandlerIsShownAndLoopGoesOn();
    void frenchTranslation();
    void confirmationBox_data();
    void confirmationBox();
    void answererRecordsAndFails();
    void openDialogReportsSelection();
};

void ApplicationTest::exceptionInHandlerIsShownAndLoopGoesOn() {
    SeamAnswerer seams;
    seams.failOnUnexpected(false); // the error boxes are counted below
    Thrower thrower;
    QEvent direct(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&thrower, &direct), false);
    QCOMPARE(seams.count(MessageKind::Error), 1);
    QCOMPARE(seams.lastText(), QStringLiteral("Erreur d'E/S 103"));

    // From the event loop too, and the loop keeps delivering afterwards.
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    bool later = false;
    QTimer::singleShot(0, [&] { later = true; });
    QTRY_VERIFY(later);
    QCOMPARE(thrower.handled, 2);
    QCOMPARE(seams.count(MessageKind::Error), 2);

    // A timer slot that throws: shown once, the program goes on.
    QTimer::singleShot(0, [] { throw std::out_of_range("Indice hors limites"); });
    QTRY_COMPARE(seams.count(MessageKind::Error), 3);
    QCOMPARE(seams.lastText(), QStringLiteral("Indice hors limites"));
}

void ApplicationTest::frenchTranslation() {
    auto* app = qobject_cast<Application*>(QCoreApplication::instance());
    QVERIFY(app);
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                       QStringLiteral("/qtbase_fr.qm"))) {
        QSKIP("Qt's French translation is not installed here (qt6-translations-l10n)");
    }
    QVERIFY(app->installFrenchQtTranslation());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
}

void ApplicationTest::confirmationBox_data() {
    QTest::addColumn<bool>("clickYes");
    QTest::newRow("Oui") << true;
    QTest::newRow("Non") << false;
}

void ApplicationTest::confirmationBox() {
    QFETCH(bool, clickYes);
    QString title;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShown<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            buttons.append(button->text());
            if (button->text() == (clickYes ? QStringLiteral("&Oui") : QStringLiteral("&Non"))) {
                button->click();
            }
        }
    });
    QCOMPARE(MessageSeam::confirm(QStringLiteral("Effacer le tableau ?")), clickYes);
    QCOMPARE(title, QStringLiteral("Confirmation"));
    QCOMPARE(icon, QMessageBox::Question);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("&Non"), QStringLiteral("&Oui")}));
}

void ApplicationTest::answererRecordsAndFails() {
    SeamAnswerer seams;
    seams.failOnUnexpected(false);
    seams.answerNext(true);
    QVERIFY(MessageSeam::confirm(QStringLiteral("q1")));
    QVERIFY(!MessageSeam::confirm(QStringLiteral("q2"))); // default answer: No
    seams.setDefaultConfirmation(true);
    QVERIFY(MessageSeam::confirm(QStringLiteral("q3")));
    MessageSeam::showWarning(QStringLiteral("w"));
    QCOMPARE(seams.messages().size(), 4);
    QCOMPARE(seams.count(MessageKind::Warning), 1);
    QCOMPARE(seams.messages().at(3).title, QStringLiteral("Avertissement"));

    seams.answerNextFile(QStringLiteral("/tmp/a.avi"));
    QCOMPARE(FileDialogSeam::getOpenFileName(nullptr, QStringLiteral("t"), {}, {}),
             std::optional<QString>(QStringLiteral("/tmp/a.avi")));
    QCOMPARE(FileDialogSeam::getExistingDirectory(nullptr, QStringLiteral("d"), {}),
             std::optional<QString>()); // nothing queued: cancelled
    QCOMPARE(seams.fileRequests().size(), 2);
    QCOMPARE(seams.fileRequests().at(1).kind, FileDialogRequest::Kind::Folder);

    seams.answerNextColour(QColor(1, 2, 3));
    QCOMPARE(ColorDialogSeam::getColor(Qt::red), std::optional<QColor>(QColor(1, 2, 3)));
    QCOMPARE(ColorDialogSeam::getColor(Qt::blue), std::optional<QColor>()); // cancelled
    QCOMPARE(seams.colourRequests(), (QList<QColor>{Qt::red, Qt::blue}));

    seams.failOnUnexpected(true);
    seams.answerNext(false);
    QVERIFY(!MessageSeam::confirm(QStringLiteral("answered")));
    // A message nobody expected fails the test (here, expectedly).
    QEXPECT_FAIL("", "an unexpected message must fail the test", Continue);
    QVERIFY(!MessageSeam::confirm(QStringLiteral("unasked")));
}

void ApplicationTest::openDialogReportsSelection() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString clip = dir.filePath(QStringLiteral("chute.avi"));
    QFile file(clip);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
    file.close();

    QStringList previewed;
    QString title;
    whenModalShown<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        // What the dialog announces when the user moves onto a file.
        // What the dialog announces when the user moves onto a file.
        emit dialog->currentChanged(clip);
        // The folder is read in the background: select until the dialog takes it.
        auto* poll = new QTimer(dialog);
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, dialog, [=] {
            dialog->selectFile(clip);
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                edit->setText(QFileInfo(clip).fileName());
            }
            if (!dialog->selectedFiles().isEmpty()) {
                poll->stop();
                static_cast<QDialog*>(dialog)->accept();
            } else if (++*tries > 150) {
                poll->stop();
                static_cast<QDialog*>(dialog)->reject();
            }
        });
        poll->start(20);
    });
    const auto chosen = FileDialogSeam::getOpenFileName(
        nullptr, QStringLiteral("Ouverture d'un clip vidéo (fichier *.avi)"), dir.path(),
        {QStringLiteral("fichiers  AVI (*.avi)")},
        [&](const QString& path) { previewed.append(path); });
    QCOMPARE(title, QStringLiteral("Ouverture d'un clip vidéo (fichier *.avi)"));
    QCOMPARE(chosen, std::optional<QString>(clip));
    QVERIFY(previewed.contains(clip));
}

int main(int argc, char** argv) {
    Application app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "application.moc"
