#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace traxilo {

class ConfigFile;
class RadioGroup;

// "Définition du chemin d'accès à Regressi": where the Regressi executable
// lies (chosen with "Parcourir...", typed or pasted) and which version it
// is, kept in the settings file. Filled from the settings at each showing.
class TaccesregBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Définition du chemin d'accès à Regressi");

    // How the last showing ended, for the launch command's state. A path
    // where no file is is refused with a message; the dialog stays open.
    enum class Outcome {
        Cancelled,  // nothing changed
        SaveFailed, // the settings file could not be written
        Saved,
    };

    TaccesregBox(ConfigFile& config, QWidget* parent = nullptr);

    Outcome outcome() const { return m_outcome; }

    void FormShow();
    void btnParcourirClick();
    void rgRegVersionClick();
    void OKBtnClick();

    QLineEdit* edRegPath = nullptr;
    QPushButton* btnParcourir = nullptr;
    RadioGroup* rgRegVersion = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ConfigFile& m_config;
    Outcome m_outcome = Outcome::Cancelled;
};

} // namespace traxilo
