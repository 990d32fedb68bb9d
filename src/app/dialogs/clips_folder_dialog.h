#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace traxilo {

class ConfigFile;

// "Définition du chemin d'accès aux clips": where the clip dialog starts, in
// the folder of the last clip opened or always in one folder. The choice is
// lines 4 and 5 of the settings file. Created once, shown when needed; it is
// left only through its two buttons.
class TaccesClipsBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Définition du chemin d'accès aux clips");

    TaccesClipsBox(ConfigFile& config, QWidget* parent = nullptr);

    void FormShow();
    void rb1Click();
    void btnParcourirClick();
    void OKBtnClick();

    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QLineEdit* edClipsPath = nullptr;
    QPushButton* btnParcourir = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public slots:
    void reject() override; // Escape and Cancel; nothing while Cancel is disabled

protected:
    void showEvent(QShowEvent* event) override;

private:
    ConfigFile& m_config;
};

} // namespace traxilo
