#include "app/dialogs/table_clipboard_dialog.h"

#include "app/dialogs/button_row.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "export/text_export.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TSauveTableauPPBox::TSauveTableauPPBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SauveTableauPPBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* intro = new QLabel(QStringLiteral("Vous venez de demander l'enregistrement des données "
                                            "du tableau vers le presse-papier."),
                             this);
    intro->setWordWrap(true);
    edSauvePPTitre =
        named(new QLineEdit(QStringLiteral("Pointages Traxilo"), this), "edSauvePPTitre");
    rgSeparTxt =
        named(new RadioGroup(QString(),
                             {QStringLiteral("Tabulation"), QStringLiteral("Point virgule"),
                              QStringLiteral("Virgule"), QStringLiteral("Espace")},
                             2, this),
              "rgSeparTxt");
    rgSeparTxt->setItemIndex(0);
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    HintTracker::setHint(OKBtn,
                         QStringLiteral("|Copie immédiate du tableau vers le presse-papier"));
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(new QLabel(QStringLiteral("Donnez un titre aux données"), this));
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(QStringLiteral("Titre"), this));
    titleRow->addWidget(edSauvePPTitre, 1);
    layout->addLayout(titleRow);
    layout->addWidget(
        new QLabel(QStringLiteral("Choisissez le type de séparateur de données"), this));
    layout->addWidget(rgSeparTxt);
    addButtonRow(layout, OKBtn, CancelBtn);
    setMinimumWidth(380);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TSauveTableauPPBox::reject);
}

QString TSauveTableauPPBox::title() const {
    return edSauvePPTitre->text();
}

QChar TSauveTableauPPBox::separator() const {
    return separatorFor(rgSeparTxt->itemIndex());
}

void TSauveTableauPPBox::reject() {
    edSauvePPTitre->setText(m_rememberedTitle);
    QDialog::reject();
}

void TSauveTableauPPBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_rememberedTitle = edSauvePPTitre->text();
    edSauvePPTitre->setFocus();
}

} // namespace traxilo
