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
