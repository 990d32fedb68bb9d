#pragma once

#include <QColor>
#include <QDialog>

class QPushButton;

namespace traxilo {

class MeasureTables;
class RadioGroup;

// "Aspect du point": colour and shape of the current point's marks, written
// into the style grid on "OK". The colour chooser always starts on the
// colour the point had when the dialog opened.
class TaspectPointBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Aspect du point");

    explicit TaspectPointBox(MeasureTables& tables, QWidget* parent = nullptr);

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

    MeasureTables& m_tables;
    int m_point = 1;
    QColor m_start;
    QColor m_chosen;
};

} // namespace traxilo
