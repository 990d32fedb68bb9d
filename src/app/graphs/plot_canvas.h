#pragma once

#include "app/graphs/plot_painter.h"

#include <QWidget>
#include <optional>

namespace traxilo {

// One plot on screen: draws its content, says which marker was clicked or
// is under the mouse, and which range of abscissas was dragged across.
class PlotCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PlotCanvas(QWidget* parent = nullptr);

    void setContent(PlotContent content);
    const PlotContent& content() const { return m_content; }
    // Margins shared with a plot drawn above or below, so the axes line up.
    void setMargins(const PlotMargins& margins);

    // Where a frame's marker of set `set` is drawn, in this widget's
    // coordinates; empty when that frame is not plotted.
    std::optional<QPointF> markerPosition(int frame, int set = 0) const;

signals:
    void markerClicked(int set, int index);
    void markerHovered(int set, int index, QPoint globalPos);
    void rangeDragged(double from, double to); // abscissas, from < to

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PlotFrame currentFrame() const;

    PlotContent m_content;
    PlotMargins m_margins;
    std::optional<QPointF> m_pressAt;
    bool m_dragging = false;
    std::optional<std::pair<double, double>> m_bandBeforeDrag;
};

} // namespace traxilo
