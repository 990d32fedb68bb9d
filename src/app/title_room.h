#pragma once

class QDialog;

namespace traxilo {

// Makes a dialog at least as wide as its title needs, now and whenever the
// title changes: a window manager cuts a title wider than the window
// ("Enregis...mesures"), and these dialogs are too small to be widened.
void keepTitleReadable(QDialog* dialog);

} // namespace traxilo
