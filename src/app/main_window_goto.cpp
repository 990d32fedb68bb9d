#include "app/main_window.h"

#include "app/pages/measures_page.h"

#include "app/dialogs/dialogs.h"
#include "app/dialogs/goto_dialog.h"
#include "document/measurement_document.h"
#include "geometry/pixel_conversion.h"
#include "pointing/point_search.h"

#include <QAction>

namespace traxilo {

// A right click on the picture: the points whose marks lie under it, for the
// go-to dialog. Outside the picture or without a clip nothing changes.
void TForm1::searchPointsAt(QPoint pixel) {
    if (!clipOpen() || !insideDisplayedPicture(pixel.x(), pixel.y(), displaySize.displayWidth,
                                               displaySize.displayHeight)) {
        return;
    }
    std::vector<PointMatch> found = pointsAt(m_document->marks(), m_document->styles(), pixel,
                                             markSize(), displaySize.displayFactor);
    for (PointMatch& match : found)
        match.time = m_document->timeText(match.row - 1);
    dialogs->alleraDlg->setMatches(found);
    popUpMenuAtteindre->setEnabled(!found.empty());
}

void TForm1::popUpMenuAtteindreClick() {
    if (dialogs->alleraDlg->matches().empty()) {
        return;
    }
    dialogs->alleraDlg->exec();
}

void TForm1::connectDialogSignals() {
    connect(popUpMenuAtteindre, &QAction::triggered, this, &TForm1::popUpMenuAtteindreClick);
    connect(dialogs->alleraDlg, &TalleraDlg::lineChosen, this, &TForm1::alleraLineChosen);
    connect(dialogs->alleraDlg, &TalleraDlg::deletePressed, this, &TForm1::alleraDeletePressed);
}

// A line of the list: its frame on show, its point current and its x cell
// chosen in the table, even when the point has been erased since.
void TForm1::alleraLineChosen(int row, int point) {
    if (!clipOpen()) {
        return;
    }
    tsMesures->goToPoint(row - 1, point);
    m_document->setCurrentPoint(point);
    mpPositionner(row - 1);
    Drawpoints();
    tsMesures->refresh();
}

// Delete in the list: the point chosen goes, x and y together, in both tables,
// without a question (the list says which one).
void TForm1::alleraDeletePressed() {
    tsMesures->deleteChosenPoint();
}

} // namespace traxilo
