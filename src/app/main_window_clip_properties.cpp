#include "app/main_window.h"

#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "clip/clip_facts.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace traxilo {

namespace {

QFrame* factsPanel(QWidget* page, QVBoxLayout* pageLayout, const char* name) {
    auto* panel = new QFrame(page);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    pageLayout->addWidget(panel);
    return panel;
}

QLabel* factLabel(QFrame* panel, const char* name) {
    auto* label = new QLabel(panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    static_cast<QVBoxLayout*>(panel->layout())->addWidget(label);
    return label;
}

} // namespace

// The "Propriétés du clip" page: four framed panels of labels, a display
// only. The texts come from the clip's facts or from the previewed file.
void TForm1::setupClipPropertiesPage() {
    auto* layout = new QVBoxLayout(tsProClip);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);

    pnlProFichier = factsPanel(tsProClip, layout, "pnlProFichier");
    QPalette silver = pnlProFichier->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    silver.setColor(QPalette::WindowText, QColor(255, 0, 0));
    pnlProFichier->setPalette(silver);
    pnlProFichier->setAutoFillBackground(true);
    lblFile = factLabel(pnlProFichier, "lblFile");
    lblFile->setWordWrap(true);
    lblOctets = factLabel(pnlProFichier, "lblOctets");
    lblApercu = factLabel(pnlProFichier, "lblApercu");
    lblApercu->setWordWrap(true);
    for (QLabel* label : {lblFile, lblOctets, lblApercu}) {
        label->setPalette(silver); // set on the labels: a change of style re-polishes them
    }

    pnlProDuree = factsPanel(tsProClip, layout, "pnlProDuree");
    lblDurTot = factLabel(pnlProDuree, "lblDurTot");
    lblNbImages = factLabel(pnlProDuree, "lblNbImages");
    lblPeriode = factLabel(pnlProDuree, "lblPeriode");
    lblFrequence = factLabel(pnlProDuree, "lblFrequence");
    lblIntervalles = factLabel(pnlProDuree, "lblIntervalles");
    lblIrregulieres = factLabel(pnlProDuree, "lblIrregulieres");
    lblIrregulieres->setWordWrap(true);
    setupCaptureRateField(pnlProDuree);

    pnlProDim = factsPanel(tsProClip, layout, "pnlProDim");
    lblDim = factLabel(pnlProDim, "lblDim");
    QFont heading = lblDim->font();
    heading.setBold(true);
    lblDim->setFont(heading);
    lblDimL = factLabel(pnlProDim, "lblDimL");
    lblDimH = factLabel(pnlProDim, "lblDimH");
    lblAdapt = factLabel(pnlProDim, "lblAdapt");
    lblDimStockee = factLabel(pnlProDim, "lblDimStockee");
    lblRotation = factLabel(pnlProDim, "lblRotation");
    HintTracker::setHint(lblAdapt,
                         QStringLiteral("Affichage actuel|Affichage actuel en % des dimensions "
                                        "d'origine"));

    pnlProCodec = factsPanel(tsProClip, layout, "pnlProCodec");
    lblCodec1 = factLabel(pnlProCodec, "lblCodec1");
    lblCodec1->setFont(heading);
    lblCodec2 = factLabel(pnlProCodec, "lblCodec2");
    lblCodec3 = factLabel(pnlProCodec, "lblCodec3");
    lblCodec3->setWordWrap(true);

    layout->addStretch(1);

    lblDim->setText(ProClipTexts::lblDim);
    lblCodec1->setText(ProClipTexts::lblCodec1);
    const ProClipTexts designed = DesignedProClipTexts();
    lblFile->setText(designed.lblFile);
    lblOctets->setText(designed.lblOctets);
    lblDurTot->setText(designed.lblDurTot);
    lblNbImages->setText(designed.lblNbImages);
    lblPeriode->setText(designed.lblPeriode);
    lblFrequence->setText(designed.lblFrequence);
    lblDimL->setText(designed.lblDimL);
    lblDimH->setText(designed.lblDimH);
    lblAdapt->setText(designed.lblAdapt.value_or(QString()));
    lblCodec2->setText(designed.lblCodec2);
    lblCodec3->setText(designed.lblCodec3);
    for (QLabel* label : {lblRotation, lblDimStockee, lblIntervalles, lblIrregulieres, lblApercu}) {
        label->setVisible(false);
    }
}

void TForm1::showProClipTexts(const ProClipTexts& t) {
    lblFile->setText(t.lblFile);
    lblOctets->setText(t.lblOctets);
    lblDurTot->setText(t.lblDurTot);
    lblNbImages->setText(t.lblNbImages);
    lblPeriode->setText(t.lblPeriode);
    lblFrequence->setText(t.lblFrequence);
    lblDimL->setText(t.lblDimL);
    lblDimH->setText(t.lblDimH);
    if (t.lblAdapt) {
        lblAdapt->setText(*t.lblAdapt);
    }
    lblCodec2->setText(t.lblCodec2);
    lblCodec3->setText(t.lblCodec3);
    for (auto [label, text] :
         {std::pair{lblRotation, &t.lblRotation}, std::pair{lblDimStockee, &t.lblDimStockee},
          std::pair{lblIntervalles, &t.lblIntervalles},
          std::pair{lblIrregulieres, &t.lblIrregulieres}, std::pair{lblApercu, &t.lblApercu}}) {
        label->setText(*text);
        label->setVisible(!text->isEmpty());
    }
}

void TForm1::RAZProClip() {
    showProClipTexts(RAZProClipTexts(clipOpen() ? &ClipInfo : nullptr));
}

void TForm1::showOpenClipFacts() {
    traxilo::ClipInfo shown = ClipInfo; // the next RAZProClip still shows the code as stored
    showProClipTexts(RAZProClipTexts(clipOpen() ? &shown : nullptr));
}

void TForm1::OpenDialog1SelectionChange(const QString& currentFile) {
    const PreviewOutcome outcome = PreviewSelection(currentFile);
    switch (outcome.action) {
    case PreviewOutcome::Action::Reset:
        RAZProClip();
        break;
    case PreviewOutcome::Action::ShowError:
        MessageSeam::showError(outcome.errorText, this);
        break;
    case PreviewOutcome::Action::Show:
        showProClipTexts(outcome.texts);
        break;
    }
}

} // namespace traxilo
