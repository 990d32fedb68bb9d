#pragma once

#include "pointing/text_grid.h"

#include <QColor>
#include <QString>
#include <optional>

namespace traxilo {

// Colours are kept as text: red + 256 x green + 65536 x blue, in decimal.
long colourValue(const QColor& colour);
QString colourText(const QColor& colour);
std::optional<QColor> colourFromText(const QString& text);

inline constexpr long kWhiteValue = 16777215;

// The hidden style grid: 3 rows, no fixed cells, column 0 for the axes and
// column c for point c. Row 0 colour, row 1 drawn ("1" only), row 2 shape.
TextGrid makeStyleTable();

// Gives the grid points + 1 columns and fills only its empty cells: white,
// "1", then "1" for the axes column and "0" (cross) for a point column.
// Filled cells keep the user's choices.
void setStyleColumns(TextGrid& style, int points);

struct MarkStyle {
    QColor colour;
    bool drawn = false;
    int shape = -1; // -1 when the cell is not a number: nothing is drawn
};
// Column 0 gives the axes (their shape is never read).
MarkStyle styleOf(const TextGrid& style, int column);

// The "dessiné" and "axes" switches write row 1; the colour commands row 0.
void setDrawn(TextGrid& style, int column, bool drawn);
void setColour(TextGrid& style, int column, const QColor& colour);
void setShape(TextGrid& style, int column, int shape);

} // namespace traxilo
