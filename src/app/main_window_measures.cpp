#include "app/main_window.h"

#include <QVBoxLayout>

namespace traxilo {

// The "Mesures" page: the measurement table and the pointing controls are
// built here.
void TForm1::setupMeasuresPage() {
    auto* layout = new QVBoxLayout(tsMesures);
    layout->setContentsMargins(4, 4, 4, 4);
}

} // namespace traxilo

namespace traxilo {

// What opening a clip does to the measurement side. These stay minimal until
// the tables and the calibration page are built.
void TForm1::Button2Click() {
    silentClear = false;
}

void TForm1::resetCoordinateFrameForClip(int height) {
    Calibration.Xo = 0;
    Calibration.Yo = height - 1;
    Calibration.signX = 1;
    Calibration.signY = 1;
    lastMousePos = QPoint(0, 0);
}

void TForm1::layoutTablesForClip() {}

void TForm1::enableMeasurementForClip() {}

void TForm1::finishClipOpening() {
    Calibration.scaleChanged = true;
}

int TForm1::timeOriginFrameNumber() const {
    return 1;
}

void TForm1::setTableRowsToCurrentFrame() {}

void TForm1::Drawpoints() {}

} // namespace traxilo
