// Each frame's own time, the capture rate of slow-motion clips and the step
// of the navigation: decided in the clip and pointing layers, applied here.
#include "app/main_window.h"

#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "app/widget_style.h"
#include "clip/capture_rate.h"
#include "common/number_format.h"

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
    showCaptureRate();
    edCadencePrise->setEnabled(true);
    applyFrameTimes();
}

void TForm1::warnOfVariableRate() {
    if (ClipInfo.timing.variableRate) {
        MessageSeam::showWarning(variableRateWarning(ClipInfo.timing), this);
    }
}

void TForm1::applyFrameTimes() {
    std::vector<long double> times;
    if (!ClipInfo.timing.evenlySpaced) {
        times.assign(ClipInfo.timing.times.begin(), ClipInfo.timing.times.end());
    }
    const long double scale = captureTimeScale(ClipInfo.framePeriod, ClipInfo.captureRate);
    tables.setFrameTimes(std::move(times), scale);
    // Frames a few milliseconds apart need more decimals than 3 to keep their
    // times apart: those of the shortest interval, as the times are shown.
    long double period = ClipInfo.framePeriod;
    if (!ClipInfo.timing.evenlySpaced && ClipInfo.timing.minInterval > 0) {
        period = std::min<long double>(period, ClipInfo.timing.minInterval);
    }
    const int decimals = TimeDecimals(period * scale);
    udFmt_t->setPosition(decimals);
    tables.setTimeDecimals(decimals, Calibration);
    lblCadence->setText(ClipInfo.captureRate ? QStringLiteral("   prise de vue : %1 images / s")
                                                   .arg(captureRateText(*ClipInfo.captureRate))
                                             : QString());
    refreshTables();
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
    // Every time changes: one step of "Annuler", however many keys it takes.
    recordChange(
        QStringLiteral("la cadence de prise de vue"),
        [this, rate] {
            if (isFileRate(ClipInfo.framePeriod, *rate)) {
                ClipInfo.captureRate.reset();
            } else {
                ClipInfo.captureRate = *rate;
            }
            applyFrameTimes();
        },
        kCaptureRateChange);
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
    edCadencePrise->setText(captureRateText(
        ClipInfo.captureRate.value_or(ClipInfo.framePeriod > 0 ? 1 / ClipInfo.framePeriod : 0)));
    showFieldRefused(edCadencePrise, false);
}

} // namespace traxilo
