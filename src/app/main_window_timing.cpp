// Each frame's own time, the capture rate of slow-motion clips and the step
// of the navigation: decided in the clip and pointing layers, applied here.
#include "app/main_window.h"

#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "app/widget_style.h"
#include "app/event_hook.h"
#include "clip/capture_rate.h"
#include "common/number_format.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace traxilo {

namespace {

constexpr int kMaxStep = 50;

} // namespace

void TForm1::setupCaptureRateField(QWidget* panel) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    lblCadencePrise =
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
    connect(edCadencePrise, &QLineEdit::textEdited, this, &TForm1::edCadencePriseChange);
    onFieldCommitted(edCadencePrise, [this] { edCadencePriseExit(); });
    auto* visit = new EventHook(
        QEvent::FocusIn, [this](QEvent*) { ++m_fieldEdit; }, this);
    visit->watch(edCadencePrise);
}

QWidget* TForm1::buildStepPanel(QWidget* parent) {
    auto* frame = named(new QFrame(parent), "pnlPas");
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(3);
    row->addWidget(new QLabel(QStringLiteral("Pas"), frame));
    lblPas = named(new QLabel(QStringLiteral("1"), frame), "lblPas");
    udPas = named(new UpDown(frame), "udPas");
    udPas->setRange(1, kMaxStep);
    udPas->setPosition(1);
    HintTracker::setHint(frame, QStringLiteral("Pas|Nombre d'images dont avancent ou reculent "
                                               "les boutons, les touches et le pointage"));
    HintTracker::setHint(udPas, HintTracker::hint(frame));
    row->addWidget(lblPas);
    row->addWidget(udPas);
    connect(udPas, &UpDown::clicked, this,
            [this] { lblPas->setText(QString::number(udPas->position())); });
    return frame;
}

int TForm1::frameStep() const {
    return udPas ? udPas->position() : 1;
}

void TForm1::noteClipTimingOnOpening() {
    // The rate the file says it was filmed at is where a new clip starts,
    // with the decimals of t its times need; neither is a change to undo.
    m_document->setCaptureRate(ClipInfo.captureRate);
    m_document->setTimeDecimals(m_document->timeDecimalsFor(ClipInfo.captureRate));
    edCadencePrise->setEnabled(true);
    showCaptureRate();
    applyFrameTimes();
}

void TForm1::warnOfVariableRate() {
    if (ClipInfo.timing.variableRate) {
        MessageSeam::showWarning(variableRateWarning(ClipInfo.timing), this);
    }
}

// The views of the times: after a capture rate or decimals of t changed.
void TForm1::applyFrameTimes() {
    const std::optional<long double> rate = m_document->captureRate();
    // The field shows the rate in force unless it is being typed into.
    if (!edCadencePrise->hasFocus() || !parseCaptureRate(edCadencePrise->text()))
        showCaptureRate();
    lblCadence->setText(rate ? QStringLiteral("   prise de vue : %1 images / s")
                                   .arg(captureRateText(*rate))
                             : QString());
    udFmt_t->setPosition(m_document->timeDecimals());
    layoutMeasureTable();
}

void TForm1::edCadencePriseChange() {
    if (!clipOpen()) {
        return;
    }
    const std::optional<long double> rate = parseCaptureRate(edCadencePrise->text());
    // Refused in red; the times stay those of the last rate accepted.
    showFieldRefused(edCadencePrise, !rate);
    if (!rate) {
        return;
    }
    const std::optional<long double> captureRate =
        isFileRate(ClipInfo.framePeriod, *rate) ? std::nullopt : rate;
    if (captureRate == m_document->captureRate()) {
        return;
    }
    // Every time changes, and the decimals of t with them: one step of
    // "Annuler" per visit of the field, however many keys it takes.
    pushChange(new ChangeCaptureRate(m_document, captureRate,
                                     m_document->timeDecimalsFor(captureRate), m_fieldEdit));
}

void TForm1::edCadencePriseExit() {
    if (!clipOpen() || parseCaptureRate(edCadencePrise->text())) {
        return;
    }
    MessageSeam::showWarning(kCaptureRateWarning, this);
    // The rate in force comes back.
    showCaptureRate();
}

void TForm1::showCaptureRate() {
    edCadencePrise->setText(captureRateText(m_document->captureRate().value_or(
        ClipInfo.framePeriod > 0 ? 1 / ClipInfo.framePeriod : 0)));
    showFieldRefused(edCadencePrise, false);
}

} // namespace traxilo
