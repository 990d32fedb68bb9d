#pragma once

#include "pointing/text_grid.h"

#include <QAbstractScrollArea>

class QAbstractItemModel;

namespace traxilo {

// A string grid widget over a TextGrid: it paints the cells, moves the
// current cell with the mouse and the keyboard, and keeps the grid's scroll
// position and visible counts. Cells are never edited here. With a model,
// the texts are the model's (row 0 its header, row r its row r - 1) and the
// grid keeps only the current cell, the selection and the scrolling.
class StringGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit StringGrid(TextGrid* grid, QWidget* parent = nullptr);

    TextGrid* grid() const { return m_grid; }
    void setModel(const QAbstractItemModel* model);
    // The text the grid shows in a cell.
    QString text(int col, int row) const;
    bool automatic(int col, int row) const; // a position the tracker found
    // Rows 1 .. t0 - 1 are drawn grey (frames before the time origin).
    void setTimeOrigin(int t0);
    int timeOrigin() const { return m_t0; }

    // Scroll bars, visible counts and the picture follow the grid.
    void refresh();

    // The cell under a viewport position, or (-1, -1).
    QPoint cellAt(QPoint viewportPos) const;
    // Where a cell is drawn in the viewport (empty when it is not shown).
    QRect cellRect(int col, int row) const;

signals:
    void mouseReleased(int col, int row); // over a cell, any button
    void keyReleased(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int colX(int col) const; // left edge in the viewport, -1 when hidden
    int rowY(int row) const;
    void updateVisibleCounts();
    void syncScrollBars();
    bool selected(int col, int row) const;

    TextGrid* m_grid;
    const QAbstractItemModel* m_model = nullptr;
    int m_t0 = 1;
    bool m_syncing = false;
    bool m_dragging = false;
};

} // namespace traxilo
