#include "app/graphs/plot_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace traxilo {

namespace {

constexpr double kPickRadius = 6;    // pixels around a marker that pick it
constexpr double kDragThreshold = 5; // pixels a press must move to become a drag

} // namespace

PlotCanvas::PlotCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 60);
}

void PlotCanvas::setContent(PlotContent content) {
    m_content = std::move(content);
    update();
}

void PlotCanvas::setMargins(const PlotMargins& margins) {
    m_margins = margins;
    update();
}

PlotFrame PlotCanvas::currentFrame() const {
    return layoutPlot(QRectF(rect()), m_content, m_margins);
}

std::optional<QPointF> PlotCanvas::markerPosition(int frame, int set) const {
    if (set < 0 || set >= int(m_content.markers.size()))
        return std::nullopt;
    const auto& markers = m_content.markers[set];
    const auto it = std::find(markers.frames.begin(), markers.frames.end(), frame);
    if (it == markers.frames.end())
        return std::nullopt;
    return currentFrame().toDevice(markers.points[it - markers.frames.begin()], markers.axis);
}

void PlotCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawPlot(painter, currentFrame(), m_content, font());
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressAt = event->position();
    m_dragging = false;
    m_bandBeforeDrag = m_content.band;
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    const PlotFrame frame = currentFrame();
    if (m_pressAt && (event->buttons() & Qt::LeftButton)) {
        if (!m_dragging && std::abs(event->position().x() - m_pressAt->x()) >= kDragThreshold)
            m_dragging = true;
        if (m_dragging) {
            // The band follows the mouse while the range is chosen.
            const double a = frame.xFromDevice(m_pressAt->x());
            const double b = frame.xFromDevice(event->position().x());
            m_content.band = std::make_pair(std::min(a, b), std::max(a, b));
            update();
        }
        return;
    }
    if (const auto hit = markerAt(frame, m_content, event->position(), kPickRadius))
        emit markerHovered(hit->first, hit->second, event->globalPosition().toPoint());
    else
        QToolTip::hideText();
}

void PlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressAt)
        return;
    const PlotFrame frame = currentFrame();
    const QPointF pressAt = *m_pressAt;
    m_pressAt.reset();
    if (m_dragging) {
        m_dragging = false;
        const double a = frame.xFromDevice(pressAt.x());
        const double b = frame.xFromDevice(event->position().x());
        m_content.band = m_bandBeforeDrag; // the owner sets the band it accepts
        emit rangeDragged(std::min(a, b), std::max(a, b));
        return;
    }
    if (const auto hit = markerAt(frame, m_content, event->position(), kPickRadius))
        emit markerClicked(hit->first, hit->second);
}

} // namespace traxilo
