#pragma once

#include "geometry/display_size.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace traxilo {

class UpDown;

// "Taille du clip": the percent the clip is shown at, 10 to 400 (less for a
// big clip), or the size that fits the clip area. "OK" only decides what
// is to be done (outcome()); the window applies it. "Annuler" is the default
// button. The measurements are kept in pixels of the picture at 100 %, so a
// new size keeps them all: the dialog has nothing to warn of.
class TtailleImaBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Taille du clip");

    explicit TtailleImaBox(DisplaySize& size, QWidget* parent = nullptr);

    int position() const;          // the percent chosen
    void setPosition(int percent); // the arrows and the field show it
    DisplaySizeOk outcome() const { return m_outcome; }

    void FormShow();
    void FormHide();
    void udPcClick();
    void udPcMouseDown();
    void udPcMouseUp();
    void Timer1Timer();
    void chkBxAdapterClick(); // the fitting, when "Adapter" is checked
    void OKBtnClick();
    void CancelBtnClick();
    void pnlPcEdited(); // a percent typed in the field

    QCheckBox* chkBxAdapter = nullptr;
    QLineEdit* pnlPc = nullptr; // shows "100%"; a percent may be typed in
    UpDown* udPc = nullptr;
    QLabel* lblRange = nullptr; // "(10..400)"
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QTimer* Timer1 = nullptr; // 1800 ms: a held arrow goes faster
    bool accelerating = false;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int maxPercent() const;

    DisplaySize& m_size;
    DisplaySizeOk m_outcome = DisplaySizeOk::Nothing;
};

} // namespace traxilo
