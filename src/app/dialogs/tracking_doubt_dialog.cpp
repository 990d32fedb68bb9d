#include "app/dialogs/tracking_doubt_dialog.h"

#include "app/widget_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TrackingDoubtDialog::TrackingDoubtDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("trackingDoubtDialog"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    m_question = named(new QLabel(this), "lblTrackingDoubt");
    m_question->setWordWrap(true);
    m_question->setMinimumWidth(320);
    m_accept = named(new QPushButton(QStringLiteral("Accepter ce point"), this), "btnAccept");
    m_accept->setToolTip(QStringLiteral("Le point en pointillés est le bon"));
    auto* place =
        named(new QPushButton(QStringLiteral("Cliquer au bon endroit"), this), "btnPlace");
    place->setToolTip(QStringLiteral(
        "Montrer l'objet sur l'image : il y est reconnu à nouveau, le suivi continue"));
    auto* skip = named(new QPushButton(QStringLiteral("Sauter cette image"), this), "btnSkip");
    skip->setToolTip(QStringLiteral("Aucun point sur cette image, le suivi continue"));
    auto* stop = named(new QPushButton(QStringLiteral("Arrêter"), this), "btnStop");
    stop->setToolTip(QStringLiteral("Fin du suivi : les points déjà suivis restent"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_question);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {m_accept, place, skip, stop}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_accept, &QPushButton::clicked, this, [this] { answer(Choice::AcceptCandidate); });
    connect(place, &QPushButton::clicked, this, [this] { answer(Choice::PlaceObject); });
    connect(skip, &QPushButton::clicked, this, [this] { answer(Choice::SkipFrame); });
    connect(stop, &QPushButton::clicked, this, [this] { answer(Choice::Stop); });
}

void TrackingDoubtDialog::setQuestion(int frame, const QString& explanation, bool hasCandidate) {
    m_choice = Choice::Stop;
    m_question->setText(
        QStringLiteral("Image n° %1 : le suivi s'arrête.\n%2").arg(frame + 1).arg(explanation));
    m_accept->setEnabled(hasCandidate);
    // The likely answer takes Enter.
    m_accept->setDefault(hasCandidate);
}

void TrackingDoubtDialog::answer(Choice choice) {
    m_choice = choice;
    if (choice == Choice::Stop)
        reject();
    else
        accept();
}

} // namespace traxilo
