#include "app/paint_box.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

namespace traxilo {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    // The menu comes after the release (see mouseReleaseEvent), not on the
    // press as the platform would have it.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void PaintBox::setImage(const QImage& image) {
    m_image = image;
    update();
}

void PaintBox::paintEvent(QPaintEvent*) {
    // Without an image the panel beneath (and its caption) stays visible.
    if (m_image.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    if (m_decoration)
        m_decoration(painter);
}

void PaintBox::setDecoration(std::function<void(QPainter&)> paint) {
    m_decoration = std::move(paint);
    update();
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->modifiers(), event->position().toPoint());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint offset = event->position().toPoint() - m_lastLeftRelease;
    // A hand that double-clicks may move a pixel or two.
    m_secondOfDouble =
        event->button() == Qt::LeftButton && std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2;
    mousePressEvent(event);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const bool secondOfDouble = m_secondOfDouble && event->button() == Qt::LeftButton;
    m_secondOfDouble = false;
    if (event->button() == Qt::LeftButton)
        m_lastLeftRelease = position;
    if (secondOfDouble)
        return;
    emit mouseUp(event->button(), event->modifiers(), position);
    if (event->button() == Qt::RightButton && m_popup) {
        m_popup->popup(mapToGlobal(position));
    }
}

} // namespace traxilo
