#pragma once

#include "geometry/calibration.h"
#include "pointing/text_grid.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace traxilo {

inline const QString kClearRangeQuestion = QStringLiteral(
    "Vous avez demandé l'effacement\rd'une plage du tableau :\r\rconfirmez-vous cette demande ?");
inline const QString kClearColumnQuestion = QStringLiteral(
    "Vous avez demandé l'effacement\rd'une colonne :\r\rconfirmez-vous cette demande ?");
inline const QString kClearRowQuestion = QStringLiteral(
    "Vous avez demandé l'effacement\rd'une ligne :\r\rconfirmez-vous cette demande ?");
inline const QString kClearTableQuestion = QStringLiteral(
    "Vous avez demandé l'effacement\rdu tableau :\r\rconfirmez-vous cette demande ?");

// The processing commands switched together by OptTraitt, by objectName, in order.
inline const QStringList kProcessingCommands = {QStringLiteral("mnuRegExec"),
                                                QStringLiteral("bbtnRegExec"),
                                                QStringLiteral("mnuCopierPP"),
                                                QStringLiteral("bbtnCopierMesuresPP"),
                                                QStringLiteral("bbtnCopierGraphiquePP"),
                                                QStringLiteral("mnuEnregFic"),
                                                QStringLiteral("bbtnEnregistrerMesures"),
                                                QStringLiteral("bbtnImprimer"),
                                                QStringLiteral("mnuImprimer")};

// A clearing command, worked out before the question is asked: the widget
// highlights `range` when `showSelection`, asks `question` when `ask`, then
// calls applyClear and redraws `redrawFrame` (the frame shown when empty).
struct ClearRequest {
    GridRect range;
    QString question;
    bool ask = true;
    bool showSelection = true;
    int col = 1; // current cell afterwards
    int row = 1;
    std::optional<int> redrawFrame;
    bool endsSilentClear = false;
};

// The two tables of a clip (pixels and metres, one row per frame, time in
// column 0, x and y of point j in columns 2j - 1 and 2j), the style grid, and
// the settings they are written with. The main window owns one; its widgets
// show these grids and call the operations below.
class MeasureTables {
public:
    MeasureTables();

    TextGrid PixelTable;   // never shown
    TextGrid MeasureTable; // the "Mesures" table
    TextGrid StyleTable;   // colours, drawn flags, shapes
    QFont gridFont;        // the table's font, for column widths

    bool clipOpen() const { return m_frameCount > 0; }
    int frameCount() const { return m_frameCount; }
    long double period() const { return m_period; }
    int pointsPerFrame() const { return m_points; }
    int currentPoint() const { return m_current; }
    int timeOrigin() const { return m_t0; }
    int xyDigits() const { return m_xyDigits; }
    const QString& tFormat() const { return m_tFormat; }
    bool silentClear = false;

    // A new clip: tables emptied without a question, laid out for one point
    // per frame with their time column, time origin 1, t with 3 decimals,
    // styles of the axes and point 1 filled where empty.
    void openClip(int frameCount, long double period);

    // Each frame's own time in seconds from the first frame, one per frame
    // (empty: frame i is at i x period, as for any evenly spaced clip), and
    // the factor every time is multiplied by (file rate / capture rate of a
    // slow-motion clip; 1 otherwise). The time column is rewritten.
    void setFrameTimes(std::vector<long double> times, long double scale = 1);
    long double timeScale() const { return m_timeScale; }

    // n points per frame (clamped to 1..9): style columns, 2n + 1 columns in
    // both tables, headers, current column 2n - 1; the current point stays
    // within 1..n.
    void nbPointsPlan(int n);
    // Asked before fewer points per frame (n) drop the columns of points
    // that hold positions; nothing when no point beyond n has any.
    std::optional<QString> fewerPointsQuestion(int n) const;
    // Makes k (clamped to 1..n) the current point; the table is not moved.
    void ChgPointNumero(int k);
    // The user picks point k: it becomes current and so does its x column.
    void choosePoint(int k);

    // Rewrites the time of rows from the time origin on, and every x, y cell
    // of a recorded point from its pixels. Rows before the origin keep their
    // time cell; points without a pixel x keep their metre cells.
    void ActualGrid(const Calibration& calibration);

    // New time origin (clamped to 1..frames): the time columns of both
    // tables are rewritten, empty before the origin; x and y stay.
    void setTimeOrigin(int t0);
    // Decimals of t (0..6): pattern, width of column 0, recomputation.
    void setTimeDecimals(int decimals, const Calibration& calibration);
    // Significant digits of x and y (1..5): widths, recomputation. Returns the
    // distance field's new text, empty when `distanceText` is not a number or
    // when the new digits would round the distance.
    std::optional<QString> setXYDigits(int digits, const Calibration& calibration,
                                       const QString& distanceText);

    QString timeText(int row) const; // empty before the time origin
    // Seconds from the time origin to the frame of `row`.
    long double timeOf(int row) const;
    // Does the table hold at least one recorded point?
    bool tableauOccupe() const;

    // The selection after a mouse button is released over (col, row): the
    // whole table, one point's two columns, one row, or the cell itself.
    std::optional<GridRect> releaseSelection(int col, int row) const;
    // Choosing a cell of the MeasureTable: the point of its column becomes
    // current and the PixelTable follows. Returns the frame index to show.
    int cellChosen();
    // The PixelTable takes the MeasureTable's current cell and scroll position.
    void alignPixelTable();

    ClearRequest deleteKeyClear() const;  // Delete in the table, on its selection
    ClearRequest gotoDeleteClear() const; // Delete in the go-to list, no question
    ClearRequest columnClear() const;     // Button0
    ClearRequest rowClear() const;        // Button1
    ClearRequest tableClear() const;      // Button2
    void applyClear(const ClearRequest& request);

private:
    int lastDataCol() const { return PixelTable.colCount() - 1; }
    int lastRow() const { return PixelTable.rowCount() - 1; }
    GridRect wholePoints(GridRect range) const;
    void setColumn0Width(const QString& lastTime);
    void setXYWidths();

    int m_frameCount = 0;
    long double m_period = 0;
    std::vector<long double> m_times;
    long double m_timeScale = 1;
    int m_points = 1;
    int m_current = 1;
    int m_t0 = 1;
    int m_xyDigits = 3;
    QString m_tFormat;
};

} // namespace traxilo
