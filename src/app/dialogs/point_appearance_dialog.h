#pragma once

#include "pointing/style_table.h"

#include <QColor>
#include <QDialog>

class QPushButton;

namespace traxilo {

class RadioGroup;

// "Aspect du point": colour and shape of a point's marks. The window gives
// the style it has (setStyle) and takes the chosen one after "OK". The
// colour chooser always starts on the colour the point had.
class TaspectPointBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Aspect du point");

    explicit TaspectPointBox(QWidget* parent = nullptr);

    void setStyle(int point, const MarkStyle& style);
    MarkStyle chosenStyle() const; // drawn as given

    void FormShow();
    void SpeedButton1Click();
    void OKBtnClick();

    int point() const { return m_point; }
    QColor chosenColour() const { return m_chosen; }

    RadioGroup* ptForme = nullptr;
    QPushButton* SpeedButton1 = nullptr; // shows the chosen colour
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showColour();

    MarkStyle m_style;
    int m_point = 1;
    QColor m_start;
    QColor m_chosen;
};

} // namespace traxilo
