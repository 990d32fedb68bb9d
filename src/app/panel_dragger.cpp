#include "app/panel_dragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

namespace traxilo {

PanelDragger::PanelDragger(QWidget* panel) : QObject(panel), m_panel(panel) {
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
}

void PanelDragger::fitParentTo(QWidget* panel) {
    QWidget* parent = panel->parentWidget();
    if (!parent) {
        return;
    }
    const QRect r = panel->geometry();
    parent->resize(std::max(r.right() + 1, 0), std::max(r.bottom() + 1, 0));
}

bool PanelDragger::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_panel) {
        return false;
    }
    const bool enabled = m_enabled && m_enabled();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        if (!enabled) {
            return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_dragging = true;
        m_grabGlobal = mouse->globalPosition().toPoint();
        m_grabPos = m_panel->pos();
        emit dragStarted();
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragging) {
            if (enabled) {
                emit hovered();
            }
            return false;
        }
        // Screen positions: the panel moves under the mouse while it is dragged.
        const QPoint moved = m_grabPos + mouse->globalPosition().toPoint() - m_grabGlobal;
        int x = std::max(0, moved.x());
        int y = std::max(0, moved.y());
        QWidget* parent = m_panel->parentWidget();
        if (m_keepInside && parent) {
            x = std::min(x, std::max(0, parent->width() - m_panel->width()));
            y = std::min(y, std::max(0, parent->height() - m_panel->height()));
        }
        m_panel->move(x, y);
        if (!m_keepInside) {
            fitParentTo(m_panel);
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (!m_dragging) {
            return false;
        }
        m_dragging = false;
        emit dragFinished();
        return true;
    default:
        return false;
    }
}

} // namespace traxilo
