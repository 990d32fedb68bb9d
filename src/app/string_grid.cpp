#include "app/string_grid.h"

#include "document/measurement_table_model.h"
#include "pointing/grid_routines.h"

#include <QAbstractItemModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace traxilo {

namespace {
const QColor kGridLineColour(160, 160, 160);
// A point the tracker found, told apart from one clicked by hand.
const QColor kAutomaticCellColour(220, 236, 250);
} // namespace

StringGrid::StringGrid(TextGrid* grid, QWidget* parent)
    : QAbstractScrollArea(parent), m_grid(grid) {
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(p);
    refresh();
}

void StringGrid::setModel(const QAbstractItemModel* model) {
    m_model = model;
    connect(model, &QAbstractItemModel::dataChanged, viewport(), qOverload<>(&QWidget::update));
    connect(model, &QAbstractItemModel::modelReset, viewport(), qOverload<>(&QWidget::update));
}

QString StringGrid::text(int col, int row) const {
    if (!m_model)
        return m_grid->cell(col, row);
    if (row == 0)
        return m_model->headerData(col, Qt::Horizontal).toString();
    return m_model->data(m_model->index(row - 1, col)).toString();
}

bool StringGrid::automatic(int col, int row) const {
    return m_model && row > 0 &&
           m_model->data(m_model->index(row - 1, col), MeasurementTableModel::AutomaticRole)
               .toBool();
}

void StringGrid::setTimeOrigin(int t0) {
    m_t0 = t0;
    viewport()->update();
}

void StringGrid::refresh() {
    updateVisibleCounts();
    syncScrollBars();
    viewport()->update();
}

int StringGrid::colX(int col) const {
    const TextGrid& g = *m_grid;
    int x = 0;
    for (int c = 0; c < std::min(col, g.fixedCols()); ++c)
        x += g.colWidth(c) + 1;
    if (col < g.fixedCols())
        return x;
    if (col < g.leftCol())
        return -1;
    for (int c = g.leftCol(); c < col; ++c)
        x += g.colWidth(c) + 1;
    return x;
}

int StringGrid::rowY(int row) const {
    const TextGrid& g = *m_grid;
    const int h = g.defaultRowHeight() + 1;
    if (row < g.fixedRows())
        return row * h;
    if (row < g.topRow())
        return -1;
    return (g.fixedRows() + row - g.topRow()) * h;
}

QRect StringGrid::cellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= m_grid->colCount() || row >= m_grid->rowCount())
        return {};
    const int x = colX(col);
    const int y = rowY(row);
    if (x < 0 || y < 0)
        return {};
    return QRect(x, y, m_grid->colWidth(col), m_grid->defaultRowHeight());
}

QPoint StringGrid::cellAt(QPoint pos) const {
    const TextGrid& g = *m_grid;
    if (pos.x() < 0 || pos.y() < 0)
        return {-1, -1};
    int col = -1;
    for (int c = 0; c < g.colCount(); ++c) {
        if (c >= g.fixedCols() && c < g.leftCol())
            continue;
        const int x = colX(c);
        if (pos.x() >= x && pos.x() <= x + g.colWidth(c)) {
            col = c;
            break;
        }
        if (x > pos.x())
            break;
    }
    const int h = g.defaultRowHeight() + 1;
    int slot = pos.y() / h;
    int row = slot < g.fixedRows() ? slot : g.topRow() + slot - g.fixedRows();
    if (row >= g.rowCount())
        row = -1;
    if (col < 0 || row < 0)
        return {-1, -1};
    return {col, row};
}

void StringGrid::updateVisibleCounts() {
    TextGrid& g = *m_grid;
    const int h = g.defaultRowHeight() + 1;
    const int rows = (viewport()->height() - g.fixedRows() * h) / h;
    g.setVisibleRowCount(std::max(1, rows));
    const int fixedWidth = colX(g.fixedCols());
    int x = fixedWidth;
    int cols = 0;
    for (int c = g.leftCol(); c < g.colCount(); ++c) {
        x += g.colWidth(c) + 1;
        if (x > viewport()->width() + 1)
            break;
        ++cols;
    }
    // Past the last column the rest of the width counts as room for more.
    if (x <= viewport()->width() + 1 && g.colCount() > 0) {
        const int spare = viewport()->width() + 1 - x;
        cols += spare / (g.defaultColWidth() + 1);
    }
    g.setVisibleColCount(std::max(1, cols));
}

void StringGrid::syncScrollBars() {
    const TextGrid& g = *m_grid;
    m_syncing = true;
    const int maxTop = std::max(g.fixedRows(), g.rowCount() - g.visibleRowCount());
    verticalScrollBar()->setRange(g.fixedRows(), maxTop);
    verticalScrollBar()->setPageStep(std::max(1, g.visibleRowCount()));
    verticalScrollBar()->setValue(g.topRow());
    // The last left column that still lets the final columns fill the view.
    const int room = viewport()->width() - colX(g.fixedCols());
    int maxLeft = g.colCount() - 1;
    int used = 0;
    for (int c = g.colCount() - 1; c >= g.fixedCols(); --c) {
        used += g.colWidth(c) + 1;
        if (used > room + 1)
            break;
        maxLeft = c;
    }
    maxLeft = std::max(g.fixedCols(), maxLeft);
    horizontalScrollBar()->setRange(g.fixedCols(), std::max(g.fixedCols(), maxLeft));
    horizontalScrollBar()->setPageStep(std::max(1, g.visibleColCount()));
    horizontalScrollBar()->setValue(g.leftCol());
    m_syncing = false;
}

void StringGrid::scrollContentsBy(int, int) {
    if (m_syncing)
        return;
    m_grid->setTopRow(verticalScrollBar()->value());
    m_grid->setLeftCol(horizontalScrollBar()->value());
    updateVisibleCounts();
    viewport()->update();
}

bool StringGrid::selected(int col, int row) const {
    const GridRect s = m_grid->selection();
    return col >= s.left && col <= s.right && row >= s.top && row <= s.bottom;
}

void StringGrid::paintEvent(QPaintEvent*) {
    const TextGrid& g = *m_grid;
    QPainter painter(viewport());
    painter.setFont(font());
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlightText = palette().color(QPalette::HighlightedText);
    const int width = viewport()->width();
    const int height = viewport()->height();
    int right = 0;
    int bottom = 0;
    for (int row = 0; row < g.rowCount(); ++row) {
        if (row >= g.fixedRows() && row < g.topRow())
            continue;
        const int y = rowY(row);
        if (y >= height)
            break;
        for (int col = 0; col < g.colCount(); ++col) {
            if (col >= g.fixedCols() && col < g.leftCol())
                continue;
            const int x = colX(col);
            if (x >= width)
                break;
            const QRect rect(x, y, g.colWidth(col), g.defaultRowHeight());
            const bool fixed = col < g.fixedCols() || row < g.fixedRows();
            const CellLook look =
                measureCellLook(col, row, m_t0, !fixed && selected(col, row) && isEnabled(),
                                highlight, highlightText);
            const QColor background = !fixed && look.background == Qt::white && automatic(col, row)
                                          ? kAutomaticCellColour
                                          : look.background;
            DrawCellText(painter, rect, text(col, row), look.alignment, look.margin, background,
                         look.text);
            right = std::max(right, rect.right() + 1);
            bottom = std::max(bottom, rect.bottom() + 1);
        }
    }
    // Grid lines between all cells, fixed and data, both directions.
    painter.setPen(kGridLineColour);
    for (int col = 0; col < g.colCount(); ++col) {
        if (col >= g.fixedCols() && col < g.leftCol())
            continue;
        const int x = colX(col) + g.colWidth(col);
        if (x > width)
            break;
        painter.drawLine(x, 0, x, bottom);
    }
    for (int row = 0; row < g.rowCount(); ++row) {
        if (row >= g.fixedRows() && row < g.topRow())
            continue;
        const int y = rowY(row) + g.defaultRowHeight();
        if (y > height)
            break;
        painter.drawLine(0, y, right, y);
    }
}

void StringGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    refresh();
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < m_grid->fixedCols() || cell.y() < m_grid->fixedRows())
        return;
    if (event->modifiers() & Qt::ShiftModifier)
        m_grid->extendSelectionTo(cell.x(), cell.y());
    else
        m_grid->setCurrent(cell.x(), cell.y());
    m_dragging = event->button() == Qt::LeftButton;
    refresh();
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() < m_grid->fixedCols() || cell.y() < m_grid->fixedRows())
        return;
    m_grid->extendSelectionTo(cell.x(), cell.y());
    refresh();
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() >= 0)
        emit mouseReleased(cell.x(), cell.y());
    refresh();
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    TextGrid& g = *m_grid;
    int col = g.col();
    int row = g.row();
    const int page = std::max(1, g.visibleRowCount());
    switch (event->key()) {
    case Qt::Key_Up:
        --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Left:
        --col;
        break;
    case Qt::Key_Right:
        ++col;
        break;
    case Qt::Key_PageUp:
        row -= page;
        break;
    case Qt::Key_PageDown:
        row += page;
        break;
    case Qt::Key_Home:
        col = g.fixedCols();
        break;
    case Qt::Key_End:
        col = g.colCount() - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier)
        g.extendSelectionTo(col, row);
    else
        g.setCurrent(col, row);
    refresh();
}

void StringGrid::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        emit keyReleased(event->key());
    QAbstractScrollArea::keyReleaseEvent(event);
}

} // namespace traxilo
