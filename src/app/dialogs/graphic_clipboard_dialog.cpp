#include "app/dialogs/graphic_clipboard_dialog.h"

#include "app/color_dialog_seam.h"
#include "app/dialogs/button_row.h"
#include "app/hint_tracker.h"
#include "app/radio_group.h"
#include "app/shape_widget.h"
#include "app/widget_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TSauveGraphicPPBox::TSauveGraphicPPBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SauveGraphicPPBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* intro = new QLabel(QStringLiteral("Vous venez de demander l'enregistrement du "
                                            "graphique vers le presse-papier. "),
                             this);
    intro->setWordWrap(true);
    rgIncExc =
        named(new RadioGroup(QString(),
                             {QStringLiteral("Inclure l'image"), QStringLiteral("Exclure l'image")},
                             2, this),
              "rgIncExc");
    rgIncExc->setItemIndex(1);
    HintTracker::setHint(rgIncExc, QStringLiteral("|Inclure ou exclure l'image du clip"));
    const QString backgroundHint =
        QStringLiteral("|Définir la couleur du fond quand l'image du clip est exclue");
    shpCouleurFond = named(new ShapeWidget(this), "shpCouleurFond");
    shpCouleurFond->setFixedSize(40, 24);
    shpCouleurFond->setFillColour(Qt::white);
    HintTracker::setHint(shpCouleurFond, backgroundHint);
    btnCouleurFond =
        named(new QPushButton(QStringLiteral("Couleur du fond"), this), "btnCouleurFond");
    btnCouleurFond->setAutoDefault(false);
    HintTracker::setHint(btnCouleurFond, backgroundHint);
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    HintTracker::setHint(OKBtn, QStringLiteral("|Copie immédiate vers le presse-papier"));
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(rgIncExc);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(shpCouleurFond);
    colourRow->addWidget(btnCouleurFond);
    colourRow->addStretch(1);
    layout->addLayout(colourRow);
    addButtonRow(layout, OKBtn, CancelBtn);
    setMinimumWidth(360);

    connect(rgIncExc, &RadioGroup::itemClicked, this, &TSauveGraphicPPBox::rgIncExcClick);
    connect(btnCouleurFond, &QPushButton::clicked, this, &TSauveGraphicPPBox::btnCouleurFondClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TSauveGraphicPPBox::includeImage() const {
    return rgIncExc->itemIndex() == 0;
}

void TSauveGraphicPPBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    GraphBackgroundColour = shpCouleurFond->fillColour();
}

void TSauveGraphicPPBox::rgIncExcClick() {
    // With the clip's picture the background colour means nothing.
    shpCouleurFond->setFilled(!includeImage());
    btnCouleurFond->setEnabled(!includeImage());
}

void TSauveGraphicPPBox::btnCouleurFondClick() {
    if (const std::optional<QColor> colour =
            ColorDialogSeam::getColor(GraphBackgroundColour, this)) {
        GraphBackgroundColour = *colour;
        shpCouleurFond->setFillColour(*colour);
    }
}

} // namespace traxilo
