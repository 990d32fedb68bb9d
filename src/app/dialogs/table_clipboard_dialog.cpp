#include "app/dialogs/table_clipboard_dialog.h"

#include "app/dialogs/title_separator_form.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "export/text_export.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TSauveTableauPPBox::TSauveTableauPPBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SauveTableauPPBox"));
    setWindowTitle(Caption);
    const TitleSeparatorForm form = buildTitleSeparatorForm(
        this,
        QStringLiteral("Vous venez de demander l'enregistrement des données du tableau vers le "
                       "presse-papier."),
        "edSauvePPTitre");
    edSauvePPTitre = form.title;
    rgSeparTxt = form.separators;
    chkBoxDerivees = form.derivatives;
    OKBtn = form.ok;
    CancelBtn = form.cancel;
    HintTracker::setHint(OKBtn,
                         QStringLiteral("|Copie immédiate du tableau vers le presse-papier"));
}

QString TSauveTableauPPBox::title() const {
    return edSauvePPTitre->text();
}

QChar TSauveTableauPPBox::separator() const {
    return separatorFor(rgSeparTxt->itemIndex());
}

bool TSauveTableauPPBox::withDerivatives() const {
    return chkBoxDerivees->isChecked();
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
