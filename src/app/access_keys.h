#pragma once

class QMenu;
class QMenuBar;
class QWidget;

namespace traxilo {

// Gives every menu title and item without one an Alt access key: the first
// letter or digit of its caption not yet taken by a sibling. Keys written by
// hand ("&") are kept and reserved first. Run once all menus are built.
void assignAccessKeys(QMenuBar* bar);
void assignAccessKeys(QMenu* menu);

// The same for a dialog: its push buttons first (so that "OK" and "Annuler"
// keep their first letters from one dialog to the next), then the labels
// that name a field (the key goes to their buddy), then its check boxes and
// radio buttons.
void assignAccessKeys(QWidget* dialog);

} // namespace traxilo
