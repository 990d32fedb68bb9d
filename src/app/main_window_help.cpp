#include "app/main_window.h"

#include "app/pages/measures_page.h"

#include "app/dialogs/about_box.h"
#include "app/dialogs/dialogs.h"
#include "app/dialogs/help_window.h"
#include "app/event_hook.h"
#include "app/pages/calibration_page.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

namespace traxilo {

void TForm1::connectHelpSignals() {
    for (QAction* item :
         {SommaireDelAide1, CommentEtalonner1, CommentPointer1, CommentExploiterLesDonnees1,
          AideSurLesBoutons1, AideDesMenus1, SommaireDelAide2, CommentEtalonner2, CommentPointer2,
          CommentExploiterLesDonnes2, AideDesBoutons2, Aidedesmenus2}) {
        connect(item, &QAction::triggered, this,
                [this, item] { SommaireDelAide1Click(item->property("tag").toInt()); });
    }
    connect(BitBtn1, &QToolButton::clicked, this, &TForm1::BitBtn1Click);
    // The menu comes with the press of any button, not with a click.
    auto* press = new EventHook(
        QEvent::MouseButtonPress, [this](QEvent*) { BitBtn3MouseDown(); }, this);
    press->watch(BitBtn3);
    connect(popUpMnuAide, &QAction::triggered, this, &TForm1::popUpMnuAideClick);
    connect(aPropos1, &QAction::triggered, this, &TForm1::aPropos1Click);
}

void TForm1::openHelp(int context) {
    dialogs->helpWindow->showTopic(context);
}

void TForm1::SommaireDelAide1Click(int tag) {
    static const int contexts[6] = {1, 220, 230, 240, 300, 350};
    if (tag >= 0 && tag < 6) {
        openHelp(contexts[tag]);
    }
}

void TForm1::BitBtn1Click() {
    openHelp(PageControl1HelpContext);
}

void TForm1::BitBtn3MouseDown() {
    // Just below the two buttons, aligned with the left edge of the first.
    const QPoint origin = BitBtn3->mapToGlobal(QPoint(0, 0));
    PopupMenu3->popup(QPoint(origin.x() - BitBtn1->width(), origin.y() + BitBtn3->height()));
}

void TForm1::popUpMnuAideClick() {
    if (!clipOpen()) {
        openHelp(1);
    } else if (PageControl1->currentWidget() == tsMesures) {
        openHelp(230);
    } else if (PageControl1->currentWidget() == tsEtalon) {
        openHelp(220);
    }
}

void TForm1::aPropos1Click() {
    dialogs->aboutBox->exec();
}

} // namespace traxilo
