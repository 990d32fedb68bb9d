#pragma once

class QMenu;
class QMenuBar;

namespace traxilo {

// Gives every menu title and item without one an Alt access key: the first
// letter or digit of its caption not yet taken by a sibling. Keys written by
// hand ("&") are kept and reserved first. Run once all menus are built.
void assignAccessKeys(QMenuBar* bar);
void assignAccessKeys(QMenu* menu);

} // namespace traxilo
