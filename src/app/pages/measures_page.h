#pragma once

#include "pointing/table_selection.h"
#include "pointing/text_grid.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QLabel;
class QTimer;
class QToolButton;

namespace traxilo {

class MeasurementDocument;
class StringGrid;
class UpDown;
struct PointStyles;
struct RecordPlan;

// The "Mesures" page: the digits of t and of x and y, the clearing buttons,
// the points per frame, the current point and its drawing, the automatic
// advance, the step, the time origin, and the table of the measurements.
// It shows the document and follows its changes itself; what the user
// chooses on it comes out as signals, which the window turns into the
// document's commands. The table's current cell, selection and scrolling
// are the page's: the window moves the cell through the calls below.
class MeasuresPage : public QWidget {
    Q_OBJECT
public:
    explicit MeasuresPage(const MeasurementDocument& document, QWidget* parent = nullptr);

    QWidget* table() const; // the table, which takes the keys that step the clip
    int frameStep() const;  // frames a step moves, 1 to 50
    // The automatic advance, along the row and down the table (read even
    // while the box is disabled).
    bool autoH() const;
    bool autoV() const;
    void setAutoH(bool on);
    void setAutoV(bool on);

    // A new clip: every control enabled, the table laid out for its frames.
    void showNewClip();
    void refresh(); // the table shows the document as it is now
    // Whether the table's hint says the scale is still to be set.
    void showScaleUndefined(bool undefined);
    void showPointsPerFrame(); // the number in force, after a choice was refused

    // The table's current cell (each move runs cellChosen).
    void setCurrentCell(int col, int row);
    void selectPoint(int point);          // the x column of `point`
    void goToPoint(int frame, int point); // the row, then the column
    void showFrameRow(int frame);         // the row of `frame`
    void showRecordPlan(const RecordPlan& plan);
    // Delete chosen in the go-to list: the point of the current cell, no question.
    void deleteChosenPoint();
    void pressCancel(); // Escape: the row is cleared, as by its button
    // "Suivi automatique...": the window's command, on a button of the page.
    void setTrackingAction(QAction* action);

signals:
    void cellChosen(int col, int row); // the table's current cell moved
    // A clearing confirmed (frames 0-based, points 1..9).
    void clearing(const PointRange& range);
    void timeDecimalsChosen(int decimals);
    void xyDigitsChosen(int digits);
    void pointsPerFrameChosen(int points);
    void currentPointChosen(int point);
    void timeOriginChosen(int frame); // 0-based
    void autoHClicked(bool on);
    void autoVClicked(bool on);
    void stylesChosen(const QString& what, const PointStyles& styles);
    void axesColourClicked();
    void pointAspectClicked();

private:
    QWidget* buildStepPanel();
    void layoutTable(); // rows and columns for the document's frames and points
    void runClear(const ClearRequest& request);
    void StringGrid1MouseUp(int col, int row);
    void StringGrid1KeyUp(int key);
    void udPointsPlanClick();
    void udPointNumeroClick();
    void udt0Click();
    void udt0MouseDown();
    void udt0MouseUp();
    void Timer2Timer();
    void nbPointsPlan();        // after the number of points per frame changed
    void ChgPointNumero(int k); // the current point as the page shows it
    void showTimeOrigin();
    void showStyles();

    const MeasurementDocument& m_document;
    TextGrid measureGrid; // the table's current cell, selection and scroll position
    StringGrid* StringGrid1 = nullptr;
    UpDown* udFmt_t = nullptr;
    UpDown* udFmt_xy = nullptr;
    QToolButton* Button0 = nullptr;
    QToolButton* Button1 = nullptr;
    QToolButton* Button2 = nullptr;
    UpDown* udPointsPlan = nullptr;
    QLabel* lblPointsPlan = nullptr;
    UpDown* udPointNumero = nullptr;
    QLabel* lblPointNumero = nullptr;
    QCheckBox* chkBoxPtDed = nullptr;
    QToolButton* bbtnCouleurPoint = nullptr;
    QCheckBox* chkBoxAxDed = nullptr;
    QToolButton* bbtnCouleurAxes = nullptr;
    QCheckBox* chkBoxAutoH = nullptr;
    QCheckBox* chkBoxAutoV = nullptr;
    UpDown* udPas = nullptr;
    QLabel* lblPas = nullptr;
    UpDown* udt0 = nullptr;
    QLabel* lblt0 = nullptr;
    QTimer* Timer2 = nullptr; // 500 ms, time-origin acceleration
    QToolButton* bbtnSuiviAuto = nullptr;
};

} // namespace traxilo
