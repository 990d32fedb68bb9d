#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/pages/measures_page.h"

#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/pages/calibration_page.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "geometry/pixel_conversion.h"
#include "geometry/scale_editing.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QToolBar>

namespace traxilo {

// The "Etalonnage" page shows the calibration and says what the user chose
// on it; the clicks on the picture, the pointer and the marks are the
// window's.
void TForm1::connectCalibrationSignals() {
    connect(tsEtalon, &CalibrationPage::calibrationChosen, this,
            [this](const QString& what, const Calibration& c, const QString& distance, int visit) {
                pushChange(new ChangeCalibration(m_document, what, c, distance, visit));
            });
    connect(tsEtalon, &CalibrationPage::originModeChosen, this, [this] {
        leaveScaleEditing();
        CursOrig();
    });
    connect(tsEtalon, &CalibrationPage::scaleModeChosen, this, [this] {
        pnl1->showScaleMarkers();
        m_scaleSegmentShown = true;
        drawScaleSegmentNow();
    });
    connect(tsEtalon, &CalibrationPage::scalePointChosen, this, [this](bool first) {
        if (const std::optional<int> n = scalePointCursor(pointStyle.pointerColour * 100, first)) {
            setSurfaceCursor(*n);
        }
        marksChanged(); // the segment is drawn from the point being placed
    });
    // The coordinate bar's hint follows the sensitivities.
    connect(pnl1, &ClipArea::coordinateBarHovered, this, &TForm1::tbCoordMouseMove);
}

const Calibration& TForm1::calibration() const {
    return m_document->calibration();
}

void TForm1::initEchelle() {
    // The field, the read-outs and the labels of a calibration just reset.
    tsEtalon->showDistanceAnew();
    pnl1->showMetres(zeroMetreReadout(QLatin1Char('x'), xyDigits()),
                     zeroMetreReadout(QLatin1Char('y'), xyDigits()));
    showCalibrationChange();
}

void TForm1::showCalibrationChange() {
    if (tsEtalon->originMode())
        CursOrig();
    moveScaleIndicators();
    showScaleState();
    showPointerReadouts();
    marksChanged();
    Drawpoints();
}

void TForm1::showScaleState() {
    const bool undefined = clipOpen() && !calibration().scaleDefined;
    pnl1->showScaleUndefined(undefined);
    tsMesures->showScaleUndefined(undefined);
}

void TForm1::CursOrig() {
    if (const std::optional<int> number =
            originCursor(pointStyle.pointerColour, calibration().signX, calibration().signY)) {
        setSurfaceCursor(*number);
    }
}

void TForm1::moveScaleIndicators() {
    pnl1->placeScaleMarkers(toDisplayPixel(calibration().p1, displaySize.displayFactor),
                            toDisplayPixel(calibration().p2, displaySize.displayFactor));
}

void TForm1::leaveScaleEditing() {
    m_scaleSegmentShown = false;
    marksChanged();
}

void TForm1::originClick(QPointF pos) {
    Calibration c = calibration();
    c.Xo = pos.x();
    c.Yo = pos.y();
    if (!(c == calibration()))
        pushChange(new ChangeCalibration(m_document, QStringLiteral("l'origine des axes"), c,
                                         m_document->distanceText()));
}

void TForm1::scalePointClick(QPointF pos) {
    Calibration c = calibration();
    const ScalePointOutcome outcome = traxilo::scalePointClick(
        c, tsEtalon->firstScalePoint(), pos, tsEtalon->distanceText(), xyDigits());
    if (outcome.identicalPoints) {
        MessageSeam::showError(kIdenticalPointsMessage, this);
    }
    if (!(c == calibration()))
        pushChange(new ChangeCalibration(m_document, QStringLiteral("le point d'étalonnage"), c,
                                         m_document->distanceText()));
    if (outcome.error) {
        MessageSeam::showError(*outcome.error, this);
        return;
    }
    tsEtalon->showSensitivity(outcome.sensitivityText);
}

} // namespace traxilo
