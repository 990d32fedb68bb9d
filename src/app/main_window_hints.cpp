#include "app/main_window.h"

#include "app/hint_tracker.h"

#include <QAction>
#include <QStatusBar>

namespace traxilo {

void TForm1::DisplayHint(const QString& hint) {
    if (Aide2->isChecked()) {
        StatusBar1->showMessage(HintTracker::longHint(hint));
    }
    m_hints->setTooltipsEnabled(Aide3->isChecked());
}

// The menu has already toggled the check mark when these run.
void TForm1::Aide2Click() {
    // Hidden at height 0, the status bar keeps its text for when it comes back.
    StatusBar1->setFixedHeight(Aide2->isChecked() ? 19 : 0);
}

void TForm1::Aide3Click() {
    // Tooltips follow the check mark from the next hint change on (DisplayHint).
}

} // namespace traxilo
