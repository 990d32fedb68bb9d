#include "app/dialogs/text_format_dialog.h"

#include "app/dialogs/title_separator_form.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "export/text_export.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TFormatTxtBox::TFormatTxtBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormatTxtBox"));
    setWindowTitle(Caption);
    const TitleSeparatorForm form = buildTitleSeparatorForm(
        this,
        QStringLiteral("Vous venez de demander l'enregistrement des données dans un fichier au "
                       "format Texte."),
        "edFormatTxtTitre");
    edFormatTxtTitre = form.title;
    rgSeparTxt = form.separators;
    chkBoxDerivees = form.derivatives;
    OKBtn = form.ok;
    CancelBtn = form.cancel;
    HintTracker::setHint(edFormatTxtTitre, QStringLiteral("Choisir le titre|Choisir le titre"));
    HintTracker::setHint(rgSeparTxt,
                         QStringLiteral("Choisir le séparateur de données|Choisir le séparateur "
                                        "de données : \"Tabulation\" convient pour la copie dans "
                                        "la plupart des tableaux."));
    HintTracker::setHint(OKBtn, QStringLiteral("|Valider "));
    HintTracker::setHint(CancelBtn, QStringLiteral("|Annuler"));
}

QString TFormatTxtBox::title() const {
    return edFormatTxtTitre->text();
}

QChar TFormatTxtBox::separator() const {
    return separatorFor(rgSeparTxt->itemIndex());
}

bool TFormatTxtBox::withDerivatives() const {
    return chkBoxDerivees->isChecked();
}

void TFormatTxtBox::restoreRemembered() {
    edFormatTxtTitre->setText(m_rememberedTitle);
    rgSeparTxt->setItemIndex(m_rememberedSeparator);
    chkBoxDerivees->setChecked(m_rememberedDerivatives);
}

void TFormatTxtBox::reject() {
    restoreRemembered();
    QDialog::reject();
}

void TFormatTxtBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_rememberedTitle = edFormatTxtTitre->text();
    m_rememberedSeparator = rgSeparTxt->itemIndex();
    m_rememberedDerivatives = chkBoxDerivees->isChecked();
    edFormatTxtTitre->setFocus();
}

} // namespace traxilo
