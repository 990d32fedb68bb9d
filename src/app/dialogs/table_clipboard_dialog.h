#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace traxilo {

class RadioGroup;

// "Tableau de mesures >>> Presse-papier": the title and separator of the
// table copied to the clipboard. "Annuler" brings back the title seen when
// the dialog was shown; a changed separator stays.
class TSauveTableauPPBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Tableau de mesures >>> Presse-papier");

    explicit TSauveTableauPPBox(QWidget* parent = nullptr);

    QString title() const;
    QChar separator() const;
    bool withDerivatives() const; // "Ajouter vitesses et accélérations"

    QLineEdit* edSauvePPTitre = nullptr;
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
};

} // namespace traxilo
