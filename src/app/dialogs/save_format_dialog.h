#pragma once

#include <QDialog>

class QPushButton;

namespace traxilo {

class RadioGroup;

// "Enregistrement des mesures": the format chooser behind the tool button,
// Regressi Windows (0), Regressi DOS (1) or text (2).
class TsauverMesuresBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Enregistrement des mesures");

    explicit TsauverMesuresBox(QWidget* parent = nullptr);

    int format() const; // the item chosen

    RadioGroup* rgFormat = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

} // namespace traxilo
