#include "app/dialogs/text_format_dialog.h"

#include "app/dialogs/button_row.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "export/text_export.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

namespace {
QStringList separatorItems() {
    return {QStringLiteral("Tabulation"), QStringLiteral("Point virgule"),
            QStringLiteral("Virgule"), QStringLiteral("Espace")};
}
} // namespace

TFormatTxtBox::TFormatTxtBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormatTxtBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* intro = new QLabel(QStringLiteral("Vous venez de demander l'enregistrement des données "
                                            "dans un fichier au format Texte."),
                             this);
    intro->setWordWrap(true);
    edFormatTxtTitre =
        named(new QLineEdit(QStringLiteral("Pointages Traxilo"), this), "edFormatTxtTitre");
    HintTracker::setHint(edFormatTxtTitre, QStringLiteral("Choisir le titre|Choisir le titre"));
    rgSeparTxt = named(new RadioGroup(QString(), separatorItems(), 2, this), "rgSeparTxt");
    rgSeparTxt->setItemIndex(0);
    HintTracker::setHint(rgSeparTxt,
                         QStringLiteral("Choisir le séparateur de données|Choisir le séparateur "
                                        "de données : \"Tabulation\" convient pour la copie dans "
                                        "la plupart des tableaux."));
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    HintTracker::setHint(OKBtn, QStringLiteral("|Valider "));
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);
    HintTracker::setHint(CancelBtn, QStringLiteral("|Annuler"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(new QLabel(QStringLiteral("Donnez un titre aux données"), this));
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(QStringLiteral("Titre"), this));
    titleRow->addWidget(edFormatTxtTitre, 1);
    layout->addLayout(titleRow);
    layout->addWidget(
        new QLabel(QStringLiteral("Choisissez le type de séparateur de données"), this));
    layout->addWidget(rgSeparTxt);
    addButtonRow(layout, OKBtn, CancelBtn);
    setMinimumWidth(380);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TFormatTxtBox::reject);
}

QString TFormatTxtBox::title() const {
    return edFormatTxtTitre->text();
}

QChar TFormatTxtBox::separator() const {
    return separatorFor(rgSeparTxt->itemIndex());
}

void TFormatTxtBox::restoreRemembered() {
    edFormatTxtTitre->setText(m_rememberedTitle);
    rgSeparTxt->setItemIndex(m_rememberedSeparator);
}

void TFormatTxtBox::reject() {
    restoreRemembered();
    QDialog::reject();
}

void TFormatTxtBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_rememberedTitle = edFormatTxtTitre->text();
    m_rememberedSeparator = rgSeparTxt->itemIndex();
    edFormatTxtTitre->setFocus();
}

} // namespace traxilo
