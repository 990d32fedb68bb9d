// Each frame's own time, the capture rate of slow-motion clips and the step
// of the navigation: decided in the clip and pointing layers, applied here.
#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/pages/clip_properties_page.h"
#include "app/up_down.h"
#include "app/widget_style.h"
#include "clip/capture_rate.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace traxilo {

void TForm1::connectTimingSignals() {
    // Every time changes, and the decimals of t with them: one step of
    // "Annuler" per visit of the field, however many keys it takes.
    connect(tsProClip, &ClipPropertiesPage::captureRateTyped, this,
            [this](std::optional<long double> rate, int visit) {
                pushChange(new ChangeCaptureRate(m_document, rate,
                                                 m_document->timeDecimalsFor(rate), visit));
            });
}

void TForm1::noteClipTimingOnOpening() {
    // The rate the file says it was filmed at is where a new clip starts,
    // with the decimals of t its times need; neither is a change to undo.
    m_document->setCaptureRate(ClipInfo.captureRate);
    m_document->setTimeDecimals(m_document->timeDecimalsFor(ClipInfo.captureRate));
    tsProClip->enableCaptureRate();
    applyFrameTimes();
}

void TForm1::warnOfVariableRate() {
    if (ClipInfo.timing.variableRate) {
        MessageSeam::showWarning(variableRateWarning(ClipInfo.timing), this);
    }
}

// The window's view of the times: after a capture rate or decimals of t changed.
void TForm1::applyFrameTimes() {
    const std::optional<long double> rate = m_document->captureRate();
    pnl1->showCaptureRate(
        rate ? QStringLiteral("   prise de vue : %1 images / s").arg(captureRateText(*rate))
             : QString());
}

} // namespace traxilo
