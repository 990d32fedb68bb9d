#pragma once

#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolBar;
class QToolButton;

namespace traxilo {

class MeasurementDocument;
struct Calibration;

// The "Etalonnage" page: the origin and the directions of the axes, the two
// scale points and their distance, the sensitivities and the guided steps.
// It shows the document's calibration; what the user chooses on it comes
// out as calibrationChosen, which the window turns into one step of
// "Annuler". The clicks on the picture are the window's: it asks the page
// which mode is on.
class CalibrationPage : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationPage(const MeasurementDocument& document, QWidget* parent = nullptr);

    bool originMode() const;      // a click on the picture places the origin
    bool scaleMode() const;       // a click on the picture places a scale point
    bool firstScalePoint() const; // the point placed is p1 (else p2)
    QString distanceText() const; // the distance field as it reads now

    void enableModes(); // a clip is open: both modes can be chosen
    // Back to pointing: neither mode, the scale tools disabled.
    void leaveModes();
    void showSteps(int step);    // the guide of the scale steps, by state
    void showPicture(int image); // the small picture: 0 the axes, 1 the scale
    // The field shows the document's distance as typed, then the rest.
    void showDistanceAnew();
    // Every view of the document's calibration, after a change.
    void showCalibration();
    void showSensitivity(const QString& text);
    // x and y have `digits` digits now: the distance is written with them.
    void reformatDistance(int digits);
    // The coordinate bar's hint, which quotes the sensitivities.
    QString coordinateHint() const;

signals:
    void originModeChosen();
    void scaleModeChosen();
    void scalePointChosen(bool first); // the point the next click places
    // A calibration chosen on the page (`visit`: the visit of the distance
    // field whose keys make one step, or kNotTyped).
    void calibrationChosen(const QString& what, const Calibration& calibration,
                           const QString& distanceText, int visit);

private:
    void leaveOriginMode(); // ChxOrigRAZ
    void leaveScaleMode();  // etalonSimuRAZ
    void rbChxOrigClick();
    void rbEtalonSimuClick();
    void tbXpYpClick(int imageIndex);
    void chkBoxPt1Click();
    void chkBoxPt2Click();
    void edSiEnter();
    void edSiChange();
    void edSiExit();
    void bbtnCouleurEchClick();
    void writeDistanceField(const QString& text); // not taken as a new distance
    bool distanceFieldInvalid() const;
    void affichSensibilites(long double S);
    // Emits calibrationChosen when `c` differs from the document's.
    void chooseCalibration(const QString& what, const Calibration& c);

    const MeasurementDocument& m_document;
    QRadioButton* rbChxOrig = nullptr;
    QToolBar* tBarOriAxes = nullptr;
    QToolButton* tbXpYp = nullptr;
    QToolButton* tbXnYp = nullptr;
    QToolButton* tbXpYn = nullptr;
    QToolButton* tbXnYN = nullptr;
    QRadioButton* rbEtalonSimu = nullptr;
    QCheckBox* chkBoxPt1 = nullptr;
    QCheckBox* chkBoxPt2 = nullptr;
    QLabel* lblP1X = nullptr;
    QLabel* lblP1Y = nullptr;
    QLabel* lblP2X = nullptr;
    QLabel* lblP2Y = nullptr;
    QLineEdit* edSi = nullptr;
    QLabel* lblSHori = nullptr;
    QLabel* lblSVert = nullptr;
    QToolButton* bbtnCouleurEch = nullptr;
    QLabel* imgEtalonSimu = nullptr;
    QLabel* lblEchEtapOrdre = nullptr;
    QFrame* pnlEchEtap = nullptr;
    QLabel* lblEchEtap[4] = {}; // lblEchEtap1 .. lblEchEtap4
    bool m_writingField = false;
    bool m_typingDistance = false; // the change comes from the field itself
    int m_visit = 0;               // numbers the visits of the distance field
};

} // namespace traxilo
