#include "pointing/table_selection.h"

#include "common/number_format.h"
#include "pointing/grid_routines.h"

#include <algorithm>

namespace traxilo {

namespace {

int lastDataCol(const TextGrid& grid) {
    return grid.colCount() - 1;
}

int lastRow(const TextGrid& grid) {
    return grid.rowCount() - 1;
}

GridRect wholePoints(GridRect range) {
    range.left = ((range.left - 1) / 2) * 2 + 1;
    range.right = ((range.right + 1) / 2) * 2;
    return range;
}

} // namespace

void layoutMeasureGrid(TextGrid& grid, int frames, int points) {
    SetGridSize(grid, 2 * std::clamp(points, 1, 9) + 1, std::max(0, frames) + 1);
    // New points' columns are as wide as the first point's.
    for (int c = 3; c < grid.colCount(); ++c)
        grid.setColWidth(c, grid.colWidth(1 + (c + 1) % 2));
}

void setMeasureColumnWidths(TextGrid& grid, const QFont& font, const QString& lastTime,
                            int xyDigits) {
    const int values = columnWidthFor(font, lastTime + QLatin1Char('0'));
    // With no decimal of t, "t(s)" is wider than the times.
    const int header = columnWidthFor(font, QStringLiteral("t(s)")) + 2 * kTimeCellMargin;
    grid.setColWidth(0, std::max(values, header));
    // "x9(m)" is the widest header any point can have.
    const int w = std::max(columnWidthFor(font, FormatSci(xyDigits, 0)),
                           columnWidthFor(font, QStringLiteral("x9(m)")) + 2 * kXYCellMargin);
    for (int c = 1; c < grid.colCount(); ++c)
        grid.setColWidth(c, w);
}

std::optional<GridRect> releaseSelection(const TextGrid& grid, int col, int row) {
    const int n = lastDataCol(grid);
    const int R = lastRow(grid);
    if (col < 0 || row < 0 || col > n || row > R)
        return std::nullopt;
    if (col == 0 && row == 0)
        return GridRect{1, 1, n, R};
    if (row == 0) {
        const int k = (col + 1) / 2;
        return GridRect{2 * k - 1, 1, 2 * k, R};
    }
    if (col == 0)
        return GridRect{1, row, n, row};
    return GridRect{col, row, col, row};
}

ClearRequest deleteKeyClear(const TextGrid& grid) {
    ClearRequest q;
    q.range = wholePoints(grid.selection());
    q.question = kClearRangeQuestion;
    q.showSelection = false;
    q.col = q.range.left;
    q.row = q.range.top;
    return q;
}

ClearRequest gotoDeleteClear(const TextGrid& grid) {
    // Whole points, like the table's own Delete key.
    ClearRequest q = deleteKeyClear(grid);
    q.ask = false;
    q.question.clear();
    return q;
}

ClearRequest columnClear(const TextGrid& grid) {
    ClearRequest q;
    const int left = ((grid.col() - 1) / 2) * 2 + 1;
    q.range = {left, 1, left + 1, lastRow(grid)};
    q.question = kClearColumnQuestion;
    q.col = left;
    q.row = 1;
    return q;
}

ClearRequest rowClear(const TextGrid& grid) {
    ClearRequest q;
    const int row = grid.row();
    q.range = {1, row, lastDataCol(grid), row};
    q.question = kClearRowQuestion;
    q.col = 1;
    q.row = row;
    return q;
}

ClearRequest tableClear(const TextGrid& grid) {
    ClearRequest q;
    q.range = {1, 1, lastDataCol(grid), lastRow(grid)};
    q.question = kClearTableQuestion;
    q.col = 1;
    q.row = 1;
    return q;
}

PointRange pointsOf(const GridRect& range) {
    const GridRect whole = wholePoints(range);
    return {std::max(1, range.top) - 1, range.bottom - 1, (whole.left + 1) / 2, whole.right / 2};
}

} // namespace traxilo
