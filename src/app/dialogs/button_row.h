#pragma once

class QBoxLayout;
class QPushButton;

namespace traxilo {

// The closing buttons of a dialog, on one row at its right edge.
void addButtonRow(QBoxLayout* layout, QPushButton* ok, QPushButton* cancel);

} // namespace traxilo
