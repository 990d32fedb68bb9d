#include "app/main_window.h"

#include "app/pages/measures_page.h"

#include "app/pages/calibration_page.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

#include "app/pages/clip_properties_page.h"
#include "app/pages/graphs_page.h"
#include "app/paint_box.h"

namespace traxilo {

void TForm1::PageControl1Change() {
    QWidget* page = PageControl1->currentWidget();
    // The graphs are read while pointing: a click on the picture records.
    if (page == tsMesures || page == tsGraphes) {
        if (clipOpen()) {
            PageControl1HelpContext = 230;
            // The shape chosen in the pointer dialog comes back with the
            // pointing mode; the calibration cursors are left.
            pointStyle.shapeChoiceEnabled = true;
            setSurfaceCursor(pointStyle.pointingCursor());
            mnuFormePointeur->menuAction()->setEnabled(true);
            tsEtalon->leaveModes();
            leaveScaleEditing();
            redrawPending = true;
        }
    } else if (page == tsEtalon) {
        if (clipOpen()) {
            PageControl1HelpContext = 220;
        }
        tsEtalon->showPicture(0);
        pointStyle.shapeChoiceEnabled = false;
        mnuFormePointeur->menuAction()->setEnabled(false);
    }
    popUpMnuModeAcquerir->setChecked(page == tsMesures);
    popUpMnuModeEtalonner->setChecked(page == tsEtalon);
    popUpMnuModeProClip->setChecked(page == tsProClip);
}

void TForm1::popUpMnuModeAcquerirClick() {
    setActivePage(tsMesures);
    PageControl1Change();
}

void TForm1::popUpMnuModeEtalonnerClick() {
    setActivePage(tsEtalon);
    PageControl1Change();
}

void TForm1::popUpMnuModeProClipClick() {
    setActivePage(tsProClip);
    PageControl1Change();
}

} // namespace traxilo
