#include "pointing/text_grid.h"

#include <algorithm>

namespace traxilo {

TextGrid::TextGrid(int colCount, int rowCount, int fixedCols, int fixedRows)
    : m_fixedCols(std::max(0, fixedCols)), m_fixedRows(std::max(0, fixedRows)) {
    setColCount(colCount);
    setRowCount(rowCount);
    m_col = m_anchorCol = m_leftCol = clampCol(m_fixedCols);
    m_row = m_anchorRow = m_topRow = clampRow(m_fixedRows);
}

void TextGrid::setColCount(int count) {
    m_colCount = std::max(0, count);
    for (auto& row : m_cells)
        row.resize(m_colCount);
    m_colWidths.resize(m_colCount, m_defaultColWidth);
    clampAll();
}

void TextGrid::setRowCount(int count) {
    m_rowCount = std::max(0, count);
    m_cells.resize(m_rowCount);
    for (auto& row : m_cells)
        row.resize(m_colCount);
    clampAll();
}

void TextGrid::setFixedCols(int count) {
    m_fixedCols = std::max(0, count);
    clampAll();
}

void TextGrid::setFixedRows(int count) {
    m_fixedRows = std::max(0, count);
    clampAll();
}

QString TextGrid::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return {};
    return m_cells[row][col];
}

void TextGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= m_colCount || row >= m_rowCount)
        return;
    m_cells[row][col] = text;
}

int TextGrid::clampCol(int col) const {
    const int last = std::max(m_fixedCols, m_colCount - 1);
    return std::clamp(col, m_fixedCols, last);
}

int TextGrid::clampRow(int row) const {
    const int last = std::max(m_fixedRows, m_rowCount - 1);
    return std::clamp(row, m_fixedRows, last);
}

void TextGrid::clampAll() {
    m_col = clampCol(m_col);
    m_row = clampRow(m_row);
    m_anchorCol = clampCol(m_anchorCol);
    m_anchorRow = clampRow(m_anchorRow);
    m_leftCol = clampCol(m_leftCol);
    m_topRow = clampRow(m_topRow);
}

void TextGrid::setCol(int col) {
    moveCurrent(col, m_row, true);
}

void TextGrid::setRow(int row) {
    moveCurrent(m_col, row, true);
}

void TextGrid::extendSelectionTo(int col, int row) {
    moveCurrent(col, row, false);
}

void TextGrid::setCurrent(int col, int row) {
    col = clampCol(col);
    row = clampRow(row);
    if (col == m_col && row == m_row) {
        // Nothing moves, but a range shrinks back onto the cell.
        m_anchorCol = col;
        m_anchorRow = row;
        return;
    }
    moveCurrent(col, row, true);
}

void TextGrid::moveCurrent(int col, int row, bool moveAnchor) {
    col = clampCol(col);
    row = clampRow(row);
    const bool changed = col != m_col || row != m_row;
    if (!changed)
        return;
    m_col = col;
    m_row = row;
    if (moveAnchor) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    scrollIntoView();
    if (m_onCurrent)
        m_onCurrent();
}

void TextGrid::scrollIntoView() {
    if (m_visibleRows > 0) {
        if (m_row < m_topRow)
            m_topRow = m_row;
        else if (m_row >= m_topRow + m_visibleRows)
            m_topRow = clampRow(m_row - m_visibleRows + 1);
    }
    if (m_visibleCols > 0) {
        if (m_col < m_leftCol)
            m_leftCol = m_col;
        else if (m_col >= m_leftCol + m_visibleCols)
            m_leftCol = clampCol(m_col - m_visibleCols + 1);
    }
}

GridRect TextGrid::selection() const {
    return {std::min(m_anchorCol, m_col), std::min(m_anchorRow, m_row),
            std::max(m_anchorCol, m_col), std::max(m_anchorRow, m_row)};
}

void TextGrid::setSelection(const GridRect& rect) {
    m_anchorCol = clampCol(rect.left);
    m_anchorRow = clampRow(rect.top);
    m_col = clampCol(rect.right);
    m_row = clampRow(rect.bottom);
}

void TextGrid::setTopRow(int row) {
    m_topRow = clampRow(row);
}

void TextGrid::setLeftCol(int col) {
    m_leftCol = clampCol(col);
}

void TextGrid::setDefaultColWidth(int width) {
    // As in a string grid: a new default width applies to every column.
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
}

int TextGrid::colWidth(int col) const {
    if (col < 0 || col >= m_colCount)
        return m_defaultColWidth;
    return m_colWidths[col];
}

void TextGrid::setColWidth(int col, int width) {
    if (col >= 0 && col < m_colCount)
        m_colWidths[col] = width;
}

} // namespace traxilo
