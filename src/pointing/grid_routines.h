#pragma once

#include "pointing/text_grid.h"

#include <QColor>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace traxilo {

// Sets the column count, then the row count.
void SetGridSize(TextGrid& grid, int columns, int rows);

// Header row 0: "x", "y" + suffix for fewer than two points, else "x1", "y1",
// "x2", ... each followed by the suffix. Column 0 is left alone.
void WriteXYHeaders(TextGrid& grid, const QString& suffix, int n);

// Empties the cells of `range` (nothing when right < left or bottom < top),
// then makes `col`, then `row`, the current column and row.
void ClearGridRange(TextGrid& grid, const GridRect& range, int col, int row);

enum class CellAlignment { Left, Centre, Right };

// Fills `rect` with `background`, then draws `text` in the painter's font,
// clipped to the rect: offset `margin` from the left, from the right, or
// centred on the width less the margin; centred vertically. Offsets truncate.
void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                  CellAlignment alignment, int margin, const QColor& background,
                  const QColor& textColour);

// Pixel width of `text` in `font`, the width a column takes for it.
int columnWidthFor(const QFont& font, const QString& text);

// How one cell of the measurement table is drawn.
struct CellLook {
    QColor background;
    QColor text;
    CellAlignment alignment = CellAlignment::Right;
    int margin = 3;
};
inline constexpr int kTimeCellMargin = 4; // column 0
inline constexpr int kXYCellMargin = 3;   // every other column
inline const QColor kFixedCellColour{255, 255, 225};
inline const QColor kGreyRowBackground{192, 192, 192}; // time cell before the time origin
inline const QColor kGreyRowText{128, 128, 128};       // other cells before the time origin

// Fixed cells on the pale header colour, data cells white (or the highlight
// colours when selected or focused), black text; rows before the time origin
// t0 greyed; row 0 centred; margin 4 px in column 0, 3 px elsewhere.
CellLook measureCellLook(int col, int row, int t0, bool selected,
                         const QColor& highlight = QColor(0, 0, 128),
                         const QColor& highlightText = QColor(255, 255, 255));

} // namespace traxilo
