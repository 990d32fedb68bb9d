#include "app/dialogs/save_format_dialog.h"

#include "app/dialogs/button_row.h"
#include "app/radio_group.h"
#include "app/widget_style.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TsauverMesuresBox::TsauverMesuresBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("sauverMesuresBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    rgFormat = named(
        new RadioGroup(QStringLiteral(" Format "),
                       {QStringLiteral("Regressi Windows (*.rw3)"),
                        QStringLiteral("Regressi DOS (*.rrr)"), QStringLiteral("Texte (*.txt)")},
                       1, this),
        "rgFormat");
    rgFormat->setItemIndex(0);
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgFormat);
    addButtonRow(layout, OKBtn, CancelBtn);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

int TsauverMesuresBox::format() const {
    return rgFormat->itemIndex();
}

} // namespace traxilo
