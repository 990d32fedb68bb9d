#include "app/shape_widget.h"

#include <QPainter>

namespace traxilo {

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::setFillColour(const QColor& colour) {
    m_fill = colour;
    update();
}

void ShapeWidget::setOutlineColour(const QColor& colour) {
    m_outline = colour;
    update();
}

void ShapeWidget::setFilled(bool filled) {
    m_filled = filled;
    update();
}

void ShapeWidget::setInverting(bool inverting) {
    m_inverting = inverting;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_inverting)
        painter.setCompositionMode(QPainter::RasterOp_NotSourceOrNotDestination);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    if (m_filled)
        painter.fillRect(box, m_fill);
    painter.setPen(m_outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

} // namespace traxilo
