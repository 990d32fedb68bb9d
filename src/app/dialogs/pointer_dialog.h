#pragma once

#include <QDialog>

class QPushButton;

namespace traxilo {

class RadioGroup;
struct PointStyle;

// "Aspect du pointeur": the pointer's colour and shape. It shows the choices
// kept in the style (the menus write them too); "Valider" stores what is
// chosen and the window applies it. The shape cannot be chosen while
// calibrating.
class TdlgPointeur : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Aspect du pointeur");

    explicit TdlgPointeur(PointStyle& style, QWidget* parent = nullptr);

    void FormShow();
    void OKBtnClick();

    RadioGroup* rgPtNoirBlanc = nullptr;
    RadioGroup* rgPtForme = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    PointStyle& m_style;
};

} // namespace traxilo
