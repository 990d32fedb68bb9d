#pragma once

#include <QColor>
#include <QDialog>

class QPushButton;

namespace traxilo {

class RadioGroup;
class ShapeWidget;

// "Graphique >>> Presse-papier": the drawing copied as a picture, with the
// clip's picture behind the marks or on a plain background of a chosen colour.
class TSauveGraphicPPBox : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Graphique >>> Presse-papier");

    explicit TSauveGraphicPPBox(QWidget* parent = nullptr);

    bool includeImage() const;
    QColor GraphBackgroundColour = Qt::white;

    RadioGroup* rgIncExc = nullptr;
    ShapeWidget* shpCouleurFond = nullptr;
    QPushButton* btnCouleurFond = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void rgIncExcClick();
    void btnCouleurFondClick();

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace traxilo
