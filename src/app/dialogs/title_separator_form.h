#pragma once

#include <QString>

class QCheckBox;
class QDialog;
class QLineEdit;
class QPushButton;

namespace traxilo {

class RadioGroup;

// The body shared by the dialogs that ask for a title and a separator (text
// file, table to the clipboard): the introduction, "Titre" and its field,
// the four separators (tabulation first, chosen), the box that adds the
// velocities and accelerations (not ticked), then OK and Annuler.
struct TitleSeparatorForm {
    QLineEdit* title = nullptr;
    RadioGroup* separators = nullptr;
    QCheckBox* derivatives = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};
TitleSeparatorForm buildTitleSeparatorForm(QDialog* dialog, const QString& intro,
                                           const char* titleName);

} // namespace traxilo
