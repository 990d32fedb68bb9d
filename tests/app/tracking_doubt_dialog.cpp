// The question of a tracking run stopped on a doubtful frame: it says which
// image and why, offers to accept only a candidate there is, and gives back
// the answer chosen; Escape stops.
#include "app/dialogs/tracking_doubt_dialog.h"
#include "support/modal_driver.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace traxilo;
using Choice = TrackingDoubtDialog::Choice;

Q_DECLARE_METATYPE(TrackingDoubtDialog::Choice)

class TrackingDoubtDialogTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void nothingToAccept();
};

void TrackingDoubtDialogTest::answers_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<int>("result");
    QTest::newRow("accept") << "btnAccept" << Choice::AcceptCandidate << int(QDialog::Accepted);
    QTest::newRow("place") << "btnPlace" << Choice::PlaceObject << int(QDialog::Accepted);
    QTest::newRow("skip") << "btnSkip" << Choice::SkipFrame << int(QDialog::Accepted);
    QTest::newRow("stop") << "btnStop" << Choice::Stop << int(QDialog::Rejected);
    QTest::newRow("escape") << "" << Choice::Stop << int(QDialog::Rejected);
}

void TrackingDoubtDialogTest::answers() {
    QFETCH(QString, button);
    QFETCH(Choice, choice);
    QFETCH(int, result);
    TrackingDoubtDialog dialog;
    dialog.setQuestion(41, QStringLiteral("Ressemblance trop faible avec l'objet choisi (62 %)."),
                       true);
    int shown = -1;
    QString text;
    test::runModal(
        &dialog, [&] { shown = dialog.exec(); },
        [&] {
            text = dialog.findChild<QLabel*>("lblTrackingDoubt")->text();
            if (button.isEmpty())
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    QCOMPARE(shown, result);
    QCOMPARE(dialog.choice(), choice);
    QCOMPARE(text, QStringLiteral("Image n° 42 : le suivi s'arrête.\n"
                                  "Ressemblance trop faible avec l'objet choisi (62 %)."));
}

void TrackingDoubtDialogTest::nothingToAccept() {
    TrackingDoubtDialog dialog;
    dialog.setQuestion(
        3, QStringLiteral("Objet introuvable : au bord de la zone de recherche, ou caché."), false);
    bool acceptEnabled = true;
    test::runModal(
        &dialog, [&] { dialog.exec(); },
        [&] {
            acceptEnabled = dialog.findChild<QPushButton*>("btnAccept")->isEnabled();
            QTest::keyClick(&dialog, Qt::Key_Return); // nothing is the default answer
        });
    QVERIFY(!acceptEnabled);
    QCOMPARE(dialog.choice(), Choice::Stop);
}

QTEST_MAIN(TrackingDoubtDialogTest)
#include "tracking_doubt_dialog.moc"
