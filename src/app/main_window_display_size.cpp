#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/dialogs/dialogs.h"
#include "app/dialogs/display_size_dialog.h"
#include "app/message_seam.h"
#include "app/pages/clip_properties_page.h"
#include "app/paint_box.h"
#include "clip/clip_player.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>

namespace traxilo {

// The three commands of the clip's display size: the tool button and "Autre...",
// "100%", "Adapter".

void TForm1::connectDisplaySizeSignals() {
    connect(bbtnIma, &QToolButton::clicked, this, &TForm1::bbtnImaClick);
    connect(mnuImaAutre, &QAction::triggered, this, &TForm1::bbtnImaClick);
    connect(mnuIma100, &QAction::triggered, this, &TForm1::mnuIma100Click);
    connect(mnuImaAdapter, &QAction::triggered, this, &TForm1::mnuImaAdapterClick);
}

void TForm1::bbtnImaClick() {
    displaySize.resetTo100 = false;
    displaySize.fitRequested = false;
    showDisplaySizeDialog();
}

void TForm1::mnuIma100Click() {
    displaySize.resetTo100 = true;
    displaySize.fitRequested = false;
    dialogs->tailleImaBox->setPosition(100);
    showDisplaySizeDialog();
}

void TForm1::mnuImaAdapterClick() {
    displaySize.resetTo100 = false;
    displaySize.fitRequested = true;
    displaySize.clipArea = pnl1->pictureRoom();
    // Fits now when "Adapter" is still checked from the last showing;
    // otherwise checking it as the dialog shows does.
    dialogs->tailleImaBox->chkBxAdapterClick();
    showDisplaySizeDialog();
}

void TForm1::showDisplaySizeDialog() {
    // The commands stay enabled after an opening failed: without a clip there
    // is nothing to size.
    if (!clipOpen()) {
        return;
    }
    displaySize.clipSize = QSize(ClipInfo.width, ClipInfo.height);
    // Inside the scroll box's frame, scroll bars or not: the room a fitted
    // picture has once they are gone.
    displaySize.clipArea = pnl1->pictureRoom();
    TtailleImaBox* box = dialogs->tailleImaBox;
    if (box->exec() != QDialog::Accepted) {
        return;
    }
    switch (box->outcome()) {
    case DisplaySizeOk::Apply:
        MaJ();
        break;
    case DisplaySizeOk::MovePanelOnly:
        pnl1->moveToCorner();
        break;
    case DisplaySizeOk::Nothing:
        break;
    }
    displaySize.displayPercent = box->position();
}

bool TForm1::MaJ() {
    // Positions are kept in pixels of the picture at 100 %: another size
    // shows the same measurements, the axes and the marks where they were on
    // the picture.
    TtailleImaBox* box = dialogs->tailleImaBox;
    showAtPercent(box->position(), box->chkBxAdapter->isChecked());
    moveScaleIndicators();
    reDraw(std::max(0, currentFrame));
    setTableRowsToCurrentFrame();
    return true;
}

void TForm1::showAtPercent(int percent, bool toCorner) {
    displaySize.displayFactor = percent / 100.0L;
    // The frame is decoded and scaled at the new size.
    const QSize shown = displayedSize(displaySize.clipSize, displaySize.displayFactor);
    MediaPlayer1->setDisplayRect(QRect(QPoint(4, 4), shown));
    if (toCorner) {
        pnl1->moveToCorner();
    }
    pnl1->fitPanelTo(shown);
    const QRect rect = MediaPlayer1->displayRect();
    displaySize.displayWidth = rect.width();
    displaySize.displayHeight = rect.height();
    pnl1->setSurfaceSize(rect.size());
    marksChanged();

    enableDisplaySizeCommands(percent, dialogs->tailleImaBox->chkBxAdapter->isChecked());
    tsProClip->showAdaptation(adaptationText(percent));
    displaySize.displayPercent = percent;
}

void TForm1::enableDisplaySizeCommands(int percent, bool fitted) {
    mnuIma100->setEnabled(percent != 100);
    mnuImaAdapter->setEnabled(!fitted);
    mnuImaAutre->setEnabled(true);
}

} // namespace traxilo
