#include "app/main_window.h"

#include "app/dialogs/dialogs.h"
#include "app/dialogs/goto_dialog.h"
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
    const std::vector<PointMatch> found = pointsAt(tables, pixel, markSize());
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
    tables.MeasureTable.setRow(row); // each move runs the table's own choice
    tables.MeasureTable.setCol(2 * point - 1);
    ChgPointNumero(point);
    tables.alignPixelTable();
    mpPositionner(row - 1);
    Drawpoints();
    refreshTables();
}

// Delete in the list: the point chosen goes, x and y together, in both tables,
// without a question (the list says which one).
void TForm1::alleraDeletePressed() {
    saveRecoveryNow();
    recordChange(QStringLiteral("l'effacement"),
                 [this] { tables.applyClear(tables.gotoDeleteClear()); });
    marksChanged();
    if (clipOpen()) {
        reDraw(currentFrame);
    }
    refreshTables();
}

} // namespace traxilo
