#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace traxilo {

class RadioGroup;

// "Enregistrement au format Texte (*.txt)": the title and the separator of
// the text file. Both stay from one showing to the next; those seen when it
// was shown come back on "Annuler" or when the file dialog is cancelled.
class TFormatTxtBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Enregistrement au format Texte (*.txt)");

    explicit TFormatTxtBox(QWidget* parent = nullptr);

    QString title() const;
    QChar separator() const;
    bool withDerivatives() const; // "Ajouter vitesses et accélérations"
    void restoreRemembered();

    QLineEdit* edFormatTxtTitre = nullptr;
    RadioGroup* rgSeparTxt = nullptr;
    QCheckBox* chkBoxDerivees = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_rememberedTitle;
    int m_rememberedSeparator = 0;
    bool m_rememberedDerivatives = false;
};

} // namespace traxilo
