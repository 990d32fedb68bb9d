#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace traxilo {

// A rectangle of cells, all four bounds inclusive (columns left..right, rows top..bottom).
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GridRect&) const = default;
};

// The model behind a string grid: text cells, fixed header rows and columns,
// the current cell, a selection anchored at one corner, and the scroll
// position. The widget shows it; every rule of the tables is written against
// this class, so it runs without widgets.
class TextGrid {
public:
    explicit TextGrid(int colCount = 5, int rowCount = 5, int fixedCols = 1, int fixedRows = 1);

    int colCount() const { return m_colCount; }
    int rowCount() const { return m_rowCount; }
    // Cells beyond a smaller size are dropped; the current cell and the
    // selection are pulled back inside without running the callback.
    void setColCount(int count);
    void setRowCount(int count);

    int fixedCols() const { return m_fixedCols; }
    int fixedRows() const { return m_fixedRows; }
    void setFixedCols(int count);
    void setFixedRows(int count);

    // Out-of-range reads give an empty text, out-of-range writes are ignored.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    bool isEmpty(int col, int row) const { return cell(col, row).isEmpty(); }

    // The current cell never lies in a fixed row or column. Changing it
    // collapses the selection onto it, scrolls it into view and, when the
    // column or row really changed, runs the current-cell callback.
    int col() const { return m_col; }
    int row() const { return m_row; }
    void setCol(int col);
    void setRow(int row);
    // Moves the current cell while the anchor stays: the keyboard's way of
    // widening a range. Runs the callback like setCol/setRow.
    void extendSelectionTo(int col, int row);
    // Moves the current cell to (col, row) at once, as a click on it: the
    // callback runs once when anything changed.
    void setCurrent(int col, int row);

    // (left, top) becomes the anchor and (right, bottom) the current cell;
    // no callback and no scrolling.
    GridRect selection() const;
    void setSelection(const GridRect& rect);

    // Scroll position and the number of wholly visible non-fixed rows and
    // columns, which only the widget knows (0 = unknown: no scrolling).
    int topRow() const { return m_topRow; }
    int leftCol() const { return m_leftCol; }
    void setTopRow(int row);
    void setLeftCol(int col);
    int visibleRowCount() const { return m_visibleRows; }
    int visibleColCount() const { return m_visibleCols; }
    void setVisibleRowCount(int count) { m_visibleRows = count < 0 ? 0 : count; }
    void setVisibleColCount(int count) { m_visibleCols = count < 0 ? 0 : count; }

    int defaultColWidth() const { return m_defaultColWidth; }
    int defaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultColWidth(int width); // resets every column to it
    void setDefaultRowHeight(int height) { m_defaultRowHeight = height; }
    int colWidth(int col) const;
    void setColWidth(int col, int width);

    void setCurrentCellCallback(std::function<void()> callback) {
        m_onCurrent = std::move(callback);
    }

private:
    int clampCol(int col) const;
    int clampRow(int row) const;
    void moveCurrent(int col, int row, bool moveAnchor);
    void scrollIntoView();
    void clampAll();

    int m_colCount = 0;
    int m_rowCount = 0;
    int m_fixedCols = 0;
    int m_fixedRows = 0;
    std::vector<std::vector<QString>> m_cells; // [row][col]
    std::vector<int> m_colWidths;
    int m_col = 0;
    int m_row = 0;
    int m_anchorCol = 0;
    int m_anchorRow = 0;
    int m_topRow = 0;
    int m_leftCol = 0;
    int m_visibleRows = 0;
    int m_visibleCols = 0;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    std::function<void()> m_onCurrent;
};

} // namespace traxilo
