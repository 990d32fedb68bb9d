#include "app/dialogs/title_separator_form.h"

#include "app/dialogs/button_row.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/widget_style.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TitleSeparatorForm buildTitleSeparatorForm(QDialog* dialog, const QString& intro,
                                           const char* titleName) {
    dialog->setModal(true);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    TitleSeparatorForm form;
    auto* introLabel = new QLabel(intro, dialog);
    introLabel->setWordWrap(true);
    form.title = named(new QLineEdit(QStringLiteral("Pointages Traxilo"), dialog), titleName);
    form.separators =
        named(new RadioGroup(QString(),
                             {QStringLiteral("Tabulation"), QStringLiteral("Point virgule"),
                              QStringLiteral("Virgule"), QStringLiteral("Espace")},
                             2, dialog),
              "rgSeparTxt");
    form.separators->setItemIndex(0);
    form.derivatives =
        named(new QCheckBox(QStringLiteral("Ajouter vitesses et accélérations"), dialog),
              "chkBoxDerivees");
    HintTracker::setHint(form.derivatives,
                         QStringLiteral("Ajouter vx, vy, ax et ay|Ajouter les colonnes vx, vy, ax "
                                        "et ay de chaque point, calculées sur cinq images autour "
                                        "de chacune"));
    form.ok = named(new QPushButton(QStringLiteral("OK"), dialog), "OKBtn");
    form.ok->setDefault(true);
    form.cancel = named(new QPushButton(QStringLiteral("Annuler"), dialog), "CancelBtn");
    form.cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(introLabel);
    layout->addWidget(new QLabel(QStringLiteral("Donnez un titre aux données"), dialog));
    auto* titleRow = new QHBoxLayout;
    auto* titleLabel = new QLabel(QStringLiteral("Titre"), dialog);
    titleLabel->setBuddy(form.title);
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(form.title, 1);
    layout->addLayout(titleRow);
    layout->addWidget(
        new QLabel(QStringLiteral("Choisissez le type de séparateur de données"), dialog));
    layout->addWidget(form.separators);
    layout->addWidget(form.derivatives);
    addButtonRow(layout, form.ok, form.cancel);
    dialog->setMinimumWidth(380);

    QObject::connect(form.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(form.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return form;
}

} // namespace traxilo
