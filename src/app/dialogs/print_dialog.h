#pragma once

#include "export/print_layout.h"

#include <QDialog>
#include <QSize>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSlider;

namespace traxilo {

class MeasurementDocument;
class RadioGroup;
class ShapeWidget;

// "Impression des points et des axes": the scale of the printout (metres per
// printed centimetre, typed or set with the track bar), previews of the
// drawing against the sheet, colour and grid options, and the printing of
// one page. The scale proposed after a new clip or calibration is the 1-2-5
// step at which the picture comes nearest to filling the sheet.
class TdlgImprimer : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Impression des points et des axes");
    // Lines one dot wide stay visible on paper and in PDF viewers at this
    // resolution, and a centimetre is 118 dots, well within a dot's accuracy.
    static constexpr int kDotsPerInch = 300;

    explicit TdlgImprimer(const MeasurementDocument& document, QWidget* parent = nullptr);
    // The calibration or the clip changed: the next showing proposes a scale.
    void proposeScaleAnew() { m_scaleStale = true; }
    ~TdlgImprimer() override;

    // Before each showing: the picture as displayed and the size of its marks.
    void setPicture(QSize displaySize, int markSize);
    QPrinter& printer() { return *m_printer; }
    PrintSettings settings() const;

    // State, as the controls show it.
    long double PrintScale = 1;
    long double ProposedScale = 1;
    QSize printerResolution;
    long double SheetWidthCm = 0;
    long double SheetHeightCm = 0;
    long double RealWidthM = 0;
    long double RealHeightM = 0;
    long double PrintedWidthCm = 0;
    long double PrintedHeightCm = 0;
    bool ScaleFieldFocused = false;
    QString SavedScaleText;

    void FormShow();
    void AjusteShpFeuille();
    void AjusteShpDessin();
    void edEchChange();
    void edEchExit(); // a text that is no scale is said, the last valid scale comes back
    void TrackBar1Change();
    void btnConfigImprimanteClick();
    void btnImprimerClick();
    void btnPlusTardClick();
    void chkImpGrilleClick();
    // Prints the page; false, after telling the user why, when it could not.
    bool printPage();

    QLabel* lblImageXm = nullptr;
    QLabel* lblImageYm = nullptr;
    QLineEdit* edEch = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* lblImageimprimeeX = nullptr;
    QLabel* lblImageImprimeeY = nullptr;
    QLabel* lblFormatFeuille = nullptr;
    ShapeWidget* shpFeuille = nullptr;
    ShapeWidget* shpDessin = nullptr;
    RadioGroup* rbCouleur = nullptr;
    QCheckBox* chkImpGrille = nullptr;
    QRadioButton* rbGrilleColor = nullptr;
    QRadioButton* rbGrilleGris = nullptr;
    QRadioButton* rbImpPoints0 = nullptr;
    QRadioButton* rbImpPoints1 = nullptr;
    QPushButton* btnConfigImprimante = nullptr;
    QPushButton* btnImprimer = nullptr;
    QPushButton* btnPlusTard = nullptr;
    QPushButton* btnAnnuler = nullptr;

public slots:
    void reject() override; // "Annuler" and Escape: the scale shown at opening comes back

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readPrinter();
    void writeScaleField(const QString& text);
    void writeSizes();
    bool scaleKey(QKeyEvent* event);

    const MeasurementDocument& m_document;
    bool m_scaleStale = true;
    std::unique_ptr<QPrinter> m_printer;
    QSize m_picture;
    int m_markSize = 1;
    QSize m_pageDots;
    bool m_settingTrackBar = false;
    QString m_lastValidScale = QStringLiteral("1"); // the field's text at its last valid scale
};

} // namespace traxilo
