#include "app/dialogs/point_appearance_dialog.h"

#include "app/color_dialog_seam.h"
#include "app/dialogs/button_row.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "pointing/style_table.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TaspectPointBox::TaspectPointBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aspectPointBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    ptForme = named(new RadioGroup(QStringLiteral(" Forme "),
                                   {QStringLiteral("  Croix  "), QStringLiteral("  Carré"),
                                    QStringLiteral("  Cercle")},
                                   1, this),
                    "ptForme");
    auto* colourGroup = new QGroupBox(QStringLiteral(" Couleur "), this);
    SpeedButton1 = named(new QPushButton(colourGroup), "SpeedButton1");
    SpeedButton1->setAutoDefault(false);
    SpeedButton1->setFixedSize(64, 64);
    SpeedButton1->setIconSize(QSize(52, 52));
    auto* colourColumn = new QVBoxLayout(colourGroup);
    colourColumn->addWidget(SpeedButton1, 0, Qt::AlignCenter);

    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    choices->addWidget(ptForme);
    choices->addWidget(colourGroup);
    layout->addLayout(choices);
    addButtonRow(layout, OKBtn, CancelBtn);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SpeedButton1, &QPushButton::clicked, this, &TaspectPointBox::SpeedButton1Click);
    connect(OKBtn, &QPushButton::clicked, this, &TaspectPointBox::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TaspectPointBox::reject);
}

void TaspectPointBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TaspectPointBox::setStyle(int point, const MarkStyle& style) {
    m_point = point;
    m_style = style;
}

MarkStyle TaspectPointBox::chosenStyle() const {
    return {m_chosen, m_style.drawn, std::max(0, ptForme->itemIndex())};
}

void TaspectPointBox::FormShow() {
    m_start = m_style.colour;
    m_chosen = m_style.colour;
    ptForme->setItemIndex(m_style.shape >= 0 && m_style.shape <= 2 ? m_style.shape : 0);
    showColour();
}

void TaspectPointBox::showColour() {
    QPixmap swatch(52, 52);
    swatch.fill(m_chosen);
    SpeedButton1->setIcon(QIcon(swatch));
}

void TaspectPointBox::SpeedButton1Click() {
    // Cancel goes back to the colour the point had.
    m_chosen = ColorDialogSeam::getColor(m_start, this).value_or(m_start);
    showColour();
}

void TaspectPointBox::OKBtnClick() {
    accept();
}

} // namespace traxilo
