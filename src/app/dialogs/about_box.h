#pragma once

#include "app/command_line.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace traxilo {

// "A propos...": the program's name and version, its icon, and the
// libraries it runs on with their versions, read at run time, and licences.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("A propos...");
    static inline const QString Title = QStringLiteral("Traxilo v.") + programVersion();

    explicit TAboutBox(QWidget* parent = nullptr);

    void FormShow();

    QLabel* imgIcone = nullptr;
    QLabel* lblTitre = nullptr;
    QLabel* lblLibrairies = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

// The text of the libraries, one per line: name, version, licence.
QString librariesText();

} // namespace traxilo
