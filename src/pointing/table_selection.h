#pragma once

#include "pointing/text_grid.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

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

// The table on the "Mesures" page is a grid with a header row and the time
// column fixed: row r shows frame r - 1, columns 2k - 1 and 2k the x and y of
// point k. These rules work on the grid's current cell and selection; the
// values themselves are the document's.

// The grid for `frames` frames and `points` points per frame.
void layoutMeasureGrid(TextGrid& grid, int frames, int points);

// Column widths: the time column as wide as `lastTime` with a digit to
// spare, every x and y column as wide as a value at `xyDigits`, neither
// narrower than its header.
void setMeasureColumnWidths(TextGrid& grid, const QFont& font, const QString& lastTime,
                            int xyDigits);

// The selection after a mouse button is released over (col, row): the
// whole table, one point's two columns, one row, or the cell itself.
std::optional<GridRect> releaseSelection(const TextGrid& grid, int col, int row);

// A clearing command, worked out before the question is asked: the widget
// highlights `range` when `showSelection`, asks `question` when `ask`, then
// clears the frames and points of `range` and makes (col, row) current.
struct ClearRequest {
    GridRect range;
    QString question;
    bool ask = true;
    bool showSelection = true;
    int col = 1;
    int row = 1;
};
ClearRequest deleteKeyClear(const TextGrid& grid);  // Delete in the table, on its selection
ClearRequest gotoDeleteClear(const TextGrid& grid); // Delete in the go-to list, no question
ClearRequest columnClear(const TextGrid& grid);     // Button0
ClearRequest rowClear(const TextGrid& grid);        // Button1
ClearRequest tableClear(const TextGrid& grid);      // Button2

// The frames (0-based) and points a range of the grid covers, whole points.
struct PointRange {
    int firstFrame = 0;
    int lastFrame = -1;
    int firstPoint = 1;
    int lastPoint = 0;
};
PointRange pointsOf(const GridRect& range);

} // namespace traxilo
