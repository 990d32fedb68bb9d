#include "app/pages/clip_properties_page.h"

#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/widget_style.h"
#include "clip/capture_rate.h"
#include "clip/clip_facts.h"
#include "document/measurement_document.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace traxilo {

namespace {

QFrame* factsPanel(QWidget* page, QVBoxLayout* pageLayout, const char* name) {
    auto* panel = named(new QFrame(page), name);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    pageLayout->addWidget(panel);
    return panel;
}

QLabel* factLabel(QFrame* panel, const char* name) {
    auto* label = named(new QLabel(panel), name);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    static_cast<QVBoxLayout*>(panel->layout())->addWidget(label);
    return label;
}

} // namespace

ClipPropertiesPage::ClipPropertiesPage(const MeasurementDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("tsProClip"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);

    QFrame* pnlProFichier = factsPanel(this, layout, "pnlProFichier");
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

    QFrame* pnlProDuree = factsPanel(this, layout, "pnlProDuree");
    lblDurTot = factLabel(pnlProDuree, "lblDurTot");
    lblNbImages = factLabel(pnlProDuree, "lblNbImages");
    lblPeriode = factLabel(pnlProDuree, "lblPeriode");
    lblFrequence = factLabel(pnlProDuree, "lblFrequence");
    lblIntervalles = factLabel(pnlProDuree, "lblIntervalles");
    lblIrregulieres = factLabel(pnlProDuree, "lblIrregulieres");
    lblIrregulieres->setWordWrap(true);
    setupCaptureRateField(pnlProDuree);

    QFrame* pnlProDim = factsPanel(this, layout, "pnlProDim");
    QLabel* lblDim = factLabel(pnlProDim, "lblDim");
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

    QFrame* pnlProCodec = factsPanel(this, layout, "pnlProCodec");
    QLabel* lblCodec1 = factLabel(pnlProCodec, "lblCodec1");
    lblCodec1->setFont(heading);
    lblCodec2 = factLabel(pnlProCodec, "lblCodec2");
    lblCodec3 = factLabel(pnlProCodec, "lblCodec3");
    lblCodec3->setWordWrap(true);

    layout->addStretch(1);

    lblDim->setText(ProClipTexts::lblDim);
    lblCodec1->setText(ProClipTexts::lblCodec1);
    const ProClipTexts designed = DesignedProClipTexts();
    lblAdapt->setText(designed.lblAdapt.value_or(QString()));
    showTexts(designed);

    connect(&m_document, &MeasurementDocument::timesChanged, this, &ClipPropertiesPage::showTimes);
}

void ClipPropertiesPage::setupCaptureRateField(QFrame* panel) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    auto* lblCadencePrise =
        named(new QLabel(QStringLiteral("Cadence de prise de vue :"), panel), "lblCadencePrise");
    edCadencePrise = named(new QLineEdit(panel), "edCadencePrise");
    edCadencePrise->setMaximumWidth(80);
    edCadencePrise->setEnabled(false);
    acceptBothDecimalSeparators(edCadencePrise);
    HintTracker::setHint(edCadencePrise,
                         QStringLiteral("Cadence de prise de vue|Images par seconde au tournage : "
                                        "un ralenti filmé à 240 images / s et lu à 30 donne des "
                                        "temps 8 fois plus courts"));
    row->addWidget(lblCadencePrise);
    row->addWidget(edCadencePrise);
    row->addWidget(new QLabel(QStringLiteral("images / s"), panel));
    row->addStretch(1);
    static_cast<QVBoxLayout*>(panel->layout())->addLayout(row);
    connect(edCadencePrise, &QLineEdit::textEdited, this, &ClipPropertiesPage::captureRateEdited);
    onFieldCommitted(edCadencePrise, [this] { captureRateLeft(); });
    auto* visit = new EventHook(
        QEvent::FocusIn, [this](QEvent*) { ++m_visit; }, this);
    visit->watch(edCadencePrise);
}

void ClipPropertiesPage::showTexts(const ProClipTexts& t) {
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

void ClipPropertiesPage::showAdaptation(const QString& text) {
    lblAdapt->setText(text);
}

void ClipPropertiesPage::enableCaptureRate() {
    edCadencePrise->setEnabled(true);
    showCaptureRate();
}

void ClipPropertiesPage::showTimes() {
    // The field shows the rate in force unless it is being typed into.
    if (!edCadencePrise->hasFocus() || !parseCaptureRate(edCadencePrise->text()))
        showCaptureRate();
}

void ClipPropertiesPage::captureRateEdited() {
    if (!m_document.hasClip()) {
        return;
    }
    const std::optional<long double> rate = parseCaptureRate(edCadencePrise->text());
    // Refused in red; the times stay those of the last rate accepted.
    showFieldRefused(edCadencePrise, !rate);
    if (!rate) {
        return;
    }
    const std::optional<long double> captureRate =
        isFileRate(m_document.clip().period, *rate) ? std::nullopt : rate;
    if (captureRate != m_document.captureRate()) {
        emit captureRateTyped(captureRate, m_visit);
    }
}

void ClipPropertiesPage::captureRateLeft() {
    if (!m_document.hasClip() || parseCaptureRate(edCadencePrise->text())) {
        return;
    }
    MessageSeam::showWarning(kCaptureRateWarning, window());
    // The rate in force comes back.
    showCaptureRate();
}

void ClipPropertiesPage::showCaptureRate() {
    const long double period = m_document.clip().period;
    edCadencePrise->setText(
        captureRateText(m_document.captureRate().value_or(period > 0 ? 1 / period : 0)));
    showFieldRefused(edCadencePrise, false);
}

} // namespace traxilo
