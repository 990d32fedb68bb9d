#include "app/dialogs/pointer_dialog.h"

#include "app/dialogs/button_row.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "pointing/point_style.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TdlgPointeur::TdlgPointeur(PointStyle& style, QWidget* parent) : QDialog(parent), m_style(style) {
    setObjectName(QStringLiteral("dlgPointeur"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    rgPtNoirBlanc =
        named(new RadioGroup(QStringLiteral(" Noir / Blanc "),
                             {QStringLiteral(" noir  "), QStringLiteral(" blanc")}, 2, this),
              "rgPtNoirBlanc");
    HintTracker::setHint(rgPtNoirBlanc, QStringLiteral("|Choisir la couleur du pointeur"));
    rgPtNoirBlanc->setItemIndex(0);
    rgPtForme =
        named(new RadioGroup(QStringLiteral(" Forme "),
                             {QStringLiteral(" grande cible"), QStringLiteral(" petite cible  "),
                              QStringLiteral(" croix            ")},
                             3, this),
              "rgPtForme");
    HintTracker::setHint(rgPtForme, QStringLiteral("|Choisir la forme du pointeur"));
    rgPtForme->setItemIndex(1);

    OKBtn = named(new QPushButton(QStringLiteral("Valider"), this), "OKBtn");
    HintTracker::setHint(OKBtn, QStringLiteral("|Valider les choix"));
    OKBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgPtNoirBlanc);
    layout->addWidget(rgPtForme);
    addButtonRow(layout, OKBtn, CancelBtn);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &TdlgPointeur::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TdlgPointeur::reject);
}

void TdlgPointeur::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TdlgPointeur::FormShow() {
    // What was chosen last, by this dialog or by the menus: a choice left
    // with "Annuler" is not kept.
    rgPtNoirBlanc->setItemIndex(m_style.colourChoice);
    rgPtForme->setItemIndex(m_style.shapeChoice);
    rgPtForme->setEnabled(m_style.shapeChoiceEnabled);
}

void TdlgPointeur::OKBtnClick() {
    m_style.colourChoice = std::max(0, rgPtNoirBlanc->itemIndex());
    if (m_style.shapeChoiceEnabled) {
        m_style.shapeChoice = std::max(0, rgPtForme->itemIndex());
    }
    accept();
}

} // namespace traxilo
