#include "pointing/grid_routines.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace traxilo {

void SetGridSize(TextGrid& grid, int columns, int rows) {
    grid.setColCount(columns);
    grid.setRowCount(rows);
}

void WriteXYHeaders(TextGrid& grid, const QString& suffix, int n) {
    if (n < 2) {
        grid.setCell(1, 0, QStringLiteral("x") + suffix);
        grid.setCell(2, 0, QStringLiteral("y") + suffix);
        return;
    }
    for (int c = 1; c <= n; ++c) {
        grid.setCell(2 * c - 1, 0, QStringLiteral("x") + QString::number(c) + suffix);
        grid.setCell(2 * c, 0, QStringLiteral("y") + QString::number(c) + suffix);
    }
}

void ClearGridRange(TextGrid& grid, const GridRect& range, int col, int row) {
    for (int r = range.top; r <= range.bottom; ++r)
        for (int c = range.left; c <= range.right; ++c)
            grid.setCell(c, r, QString());
    grid.setCol(col);
    grid.setRow(row);
}

void DrawCellText(QPainter& painter, const QRect& rect, const QString& text,
                  CellAlignment alignment, int margin, const QColor& background,
                  const QColor& textColour) {
    const QFontMetrics metrics(painter.font());
    const int tw = metrics.horizontalAdvance(text);
    const int th = metrics.height();
    const int w = rect.width();
    int x = 0;
    switch (alignment) {
    case CellAlignment::Centre:
        x = (w - margin - tw) / 2;
        break;
    case CellAlignment::Left:
        x = margin;
        break;
    case CellAlignment::Right:
        x = w - margin - tw;
        break;
    }
    const int y = (rect.height() - th) / 2;
    painter.save();
    painter.fillRect(rect, background);
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(textColour);
    painter.drawText(QPoint(rect.left() + x, rect.top() + y + metrics.ascent()), text);
    painter.restore();
}

int columnWidthFor(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

CellLook measureCellLook(int col, int row, int t0, bool selected, const QColor& highlight,
                         const QColor& highlightText) {
    CellLook look;
    const bool fixed = col == 0 || row == 0;
    if (fixed) {
        look.background = kFixedCellColour;
        look.text = Qt::black;
    } else if (selected) {
        look.background = highlight;
        look.text = highlightText;
    } else {
        look.background = Qt::white;
        look.text = Qt::black;
    }
    if (row > 0 && row < t0) {
        if (col == 0)
            look.background = kGreyRowBackground;
        else
            look.text = kGreyRowText;
    }
    look.alignment = row > 0 ? CellAlignment::Right : CellAlignment::Centre;
    look.margin = col == 0 ? kTimeCellMargin : kXYCellMargin;
    return look;
}

} // namespace traxilo
