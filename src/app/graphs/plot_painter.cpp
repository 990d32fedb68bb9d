#include "app/graphs/plot_painter.h"

#include "common/number_format.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace traxilo {

namespace {

constexpr double kMarkerRadius = 2.5;
constexpr double kTickLength = 4;
constexpr double kGap = 4;
const QColor kAxisColour(60, 60, 60);
const QColor kGridColour(225, 225, 225);
const QColor kCursorColour(220, 0, 0);
const QColor kBandColour(255, 220, 80, 90);

struct Range {
    double lo = 0;
    double hi = 1;
};

// The data's extent, a little wider so no marker sits on an axis.
Range padded(double lo, double hi) {
    if (!(lo <= hi)) // nothing plotted
        return {0, 1};
    if (hi - lo <= 1e-12 * std::max(std::fabs(lo), std::fabs(hi))) {
        const double half = lo == 0 ? 1 : std::fabs(lo) * 0.1;
        return {lo - half, hi + half};
    }
    const double pad = (hi - lo) * 0.04;
    return {lo - pad, hi + pad};
}

Range xRangeOf(const PlotContent& content) {
    if (content.xRange)
        return {content.xRange->first, content.xRange->second};
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    for (const auto& set : content.markers)
        for (const QPointF& p : set.points) {
            lo = std::min(lo, p.x());
            hi = std::max(hi, p.x());
        }
    return padded(lo, hi);
}

Range yRangeOf(const PlotContent& content, int axis) {
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;
    auto take = [&](const std::vector<QPointF>& points) {
        for (const QPointF& p : points) {
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
        }
    };
    for (const auto& set : content.markers)
        if (set.axis == axis)
            take(set.points);
    for (const auto& line : content.lines)
        if (line.axis == axis)
            take(line.points);
    if (content.zeroLine && lo <= hi) {
        // Residuals: symmetric about zero, so their sign reads at a glance.
        const double m = std::max(std::fabs(lo), std::fabs(hi));
        lo = -m;
        hi = m;
    }
    return padded(lo, hi);
}

bool usesRightAxis(const PlotContent& content) {
    return std::any_of(content.markers.begin(), content.markers.end(),
                       [](const PlotMarkers& m) { return m.axis == 1; });
}

struct Ticks {
    std::vector<double> values;
    int decimals = 0;
    bool scientific = false;
};

Ticks ticksFor(Range range, int maxTicks) {
    Ticks ticks;
    const double span = range.hi - range.lo;
    if (!(span > 0) || maxTicks < 1)
        return ticks;
    const double raw = span / maxTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw) {
            step = m * magnitude;
            break;
        }
    const double first = std::ceil(range.lo / step - 1e-9) * step;
    for (double v = first; v <= range.hi + step * 1e-9; v += step)
        ticks.values.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    ticks.decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    const double largest = std::max(std::fabs(range.lo), std::fabs(range.hi));
    ticks.scientific = largest >= 1e5 || ticks.decimals > 5;
    return ticks;
}

QString tickLabel(const Ticks& ticks, double v) {
    if (ticks.scientific)
        return FormatSci(1, v).trimmed();
    return FormatFixed(ticks.decimals, v);
}

int maxTicksFor(double pixels, double spacing, int least) {
    return std::clamp(int(pixels / spacing), least, 10);
}

double widestLabel(const Ticks& ticks, const QFontMetricsF& metrics) {
    double w = 0;
    for (double v : ticks.values)
        w = std::max(w, metrics.horizontalAdvance(tickLabel(ticks, v)));
    return w;
}

// A disc drawn once, blended at each marker: thousands of markers cost a
// few milliseconds instead of one antialiased ellipse each.
QImage markerSprite(const QColor& colour, double radius) {
    const int size = int(std::ceil(2 * radius)) + 2;
    QImage sprite(size, size, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(size / 2.0, size / 2.0), radius, radius);
    return sprite;
}

// Drawing into pixels (screen, picture), not vectors (PDF, printer).
bool onRaster(QPainter& painter) {
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster &&
           !painter.worldTransform().isRotating();
}

void drawMarkers(QPainter& painter, const PlotFrame& frame, const PlotMarkers& set) {
    const QTransform transform = painter.worldTransform();
    if (!onRaster(painter)) { // PDF and printers: real vector discs
        painter.setPen(Qt::NoPen);
        painter.setBrush(set.colour);
        for (const QPointF& p : set.points)
            painter.drawEllipse(frame.toDevice(p, set.axis), kMarkerRadius, kMarkerRadius);
        return;
    }
    const double scale = std::sqrt(std::fabs(transform.determinant()));
    const QImage sprite = markerSprite(set.colour, kMarkerRadius * scale);
    const QPointF half(sprite.width() / 2.0, sprite.height() / 2.0);
    const QRectF clip = transform.mapRect(painter.clipBoundingRect());
    painter.save();
    painter.resetTransform();
    painter.setClipRect(clip);
    for (const QPointF& p : set.points) {
        const QPointF at = transform.map(frame.toDevice(p, set.axis)) - half;
        painter.drawImage(QPoint(int(std::lround(at.x())), int(std::lround(at.y()))), sprite);
    }
    painter.restore();
}

} // namespace

PlotMargins PlotMargins::united(const PlotMargins& other) const {
    return {std::max(left, other.left), std::max(right, other.right), std::max(top, other.top),
            std::max(bottom, other.bottom)};
}

QPointF PlotFrame::toDevice(QPointF data, int axis) const {
    const int a = axis == 1 ? 1 : 0;
    const double x = area.left() + (data.x() - xMin) / (xMax - xMin) * area.width();
    const double y = area.bottom() - (data.y() - yMin[a]) / (yMax[a] - yMin[a]) * area.height();
    return {x, y};
}

double PlotFrame::xFromDevice(double deviceX) const {
    return xMin + (deviceX - area.left()) / area.width() * (xMax - xMin);
}

PlotMargins plotMargins(const PlotContent& content, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double h = metrics.height();
    PlotMargins margins;
    // The widest labels come with the most ticks.
    const double left = widestLabel(ticksFor(yRangeOf(content, 0), 10), metrics);
    margins.left = left + kTickLength + 2 * kGap + (content.yTitles[0].isEmpty() ? 0 : h);
    margins.right = kGap * 3;
    if (usesRightAxis(content)) {
        const double right = widestLabel(ticksFor(yRangeOf(content, 1), 10), metrics);
        margins.right = right + kTickLength + 2 * kGap + (content.yTitles[1].isEmpty() ? 0 : h);
    }
    margins.top = h / 2 + kGap;
    margins.bottom = h + kTickLength + kGap + (content.xTitle.isEmpty() ? 0 : h + kGap);
    return margins;
}

PlotFrame layoutPlot(const QRectF& rect, const PlotContent& content, const PlotMargins& margins) {
    PlotFrame frame;
    frame.area = rect.adjusted(margins.left, margins.top, -margins.right, -margins.bottom);
    if (frame.area.width() < 10 || frame.area.height() < 10)
        frame.area = QRectF(rect.center(), QSizeF(10, 10));
    const Range x = xRangeOf(content);
    frame.xMin = x.lo;
    frame.xMax = x.hi;
    for (int axis = 0; axis < 2; ++axis) {
        const Range y = yRangeOf(content, axis);
        frame.yMin[axis] = y.lo;
        frame.yMax[axis] = y.hi;
    }
    frame.hasRightAxis = usesRightAxis(content);
    return frame;
}

void drawPlot(QPainter& painter, const PlotFrame& frame, const PlotContent& content,
              const QFont& font) {
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QRectF area = frame.area;

    const Ticks xTicks = ticksFor(
        {frame.xMin, frame.xMax},
        maxTicksFor(area.width(), 1.8 * metrics.horizontalAdvance(QStringLiteral("-0,000")), 2));
    const Ticks yTicks[2] = {ticksFor({frame.yMin[0], frame.yMax[0]},
                                      maxTicksFor(area.height(), 2.5 * metrics.height(), 3)),
                             ticksFor({frame.yMin[1], frame.yMax[1]},
                                      maxTicksFor(area.height(), 2.5 * metrics.height(), 3))};

    // Grid, then the band and the data over it, the axes last.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kGridColour, 0));
    for (double v : xTicks.values) {
        const double px = frame.toDevice({v, 0}, 0).x();
        painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    }
    for (double v : yTicks[0].values) {
        const double py = frame.toDevice({0, v}, 0).y();
        painter.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    }
    if (content.band) {
        const double a = frame.toDevice({content.band->first, 0}, 0).x();
        const double b = frame.toDevice({content.band->second, 0}, 0).x();
        const QRectF band =
            QRectF(QPointF(std::min(a, b), area.top()), QPointF(std::max(a, b), area.bottom()))
                .intersected(area);
        painter.fillRect(band, kBandColour);
    }
    if (content.zeroLine) {
        painter.setPen(QPen(kAxisColour, 0, Qt::DashLine));
        const double py = frame.toDevice({0, 0}, 0).y();
        painter.drawLine(QPointF(area.left(), py), QPointF(area.right(), py));
    }

    painter.save();
    painter.setClipRect(
        area.adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius));
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& set : content.markers)
        drawMarkers(painter, frame, set);
    // The model over the markers it goes through.
    for (const auto& line : content.lines) {
        if (line.points.size() < 2)
            continue;
        QPolygonF polygon;
        polygon.reserve(int(line.points.size()));
        for (const QPointF& p : line.points)
            polygon << frame.toDevice(p, line.axis);
        // On pictures, wider pens go through the stroker: ten times slower
        // for a model curve of a few hundred segments.
        QPen pen(line.colour, 1);
        pen.setCosmetic(onRaster(painter));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(polygon);
    }
    if (content.highlightedFrame >= 0) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kCursorColour, 1.5));
        for (const auto& set : content.markers)
            for (size_t i = 0; i < set.points.size() && i < set.frames.size(); ++i)
                if (set.frames[i] == content.highlightedFrame)
                    painter.drawEllipse(frame.toDevice(set.points[i], set.axis), 2 * kMarkerRadius,
                                        2 * kMarkerRadius);
    }
    painter.restore();

    if (content.cursor) {
        const double px = frame.toDevice({*content.cursor, 0}, 0).x();
        if (px >= area.left() && px <= area.right()) {
            painter.setPen(QPen(kCursorColour, 0));
            painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        }
    }

    // Axes with their ticks and labels.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kAxisColour, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    const double h = metrics.height();
    for (double v : xTicks.values) {
        const double px = frame.toDevice({v, 0}, 0).x();
        painter.drawLine(QPointF(px, area.bottom()), QPointF(px, area.bottom() + kTickLength));
        const QString label = tickLabel(xTicks, v);
        const double w = metrics.horizontalAdvance(label);
        painter.drawText(QRectF(px - w / 2 - 1, area.bottom() + kTickLength, w + 2, h),
                         Qt::AlignCenter, label);
    }
    for (int axis = 0; axis < (frame.hasRightAxis ? 2 : 1); ++axis) {
        for (double v : yTicks[axis].values) {
            const double py = frame.toDevice({0, v}, axis).y();
            const QString label = tickLabel(yTicks[axis], v);
            const double w = metrics.horizontalAdvance(label);
            if (axis == 0) {
                painter.drawLine(QPointF(area.left() - kTickLength, py), QPointF(area.left(), py));
                painter.drawText(
                    QRectF(area.left() - kTickLength - kGap - w - 1, py - h / 2, w + 2, h),
                    Qt::AlignRight | Qt::AlignVCenter, label);
            } else {
                painter.drawLine(QPointF(area.right(), py),
                                 QPointF(area.right() + kTickLength, py));
                painter.drawText(QRectF(area.right() + kTickLength + kGap, py - h / 2, w + 2, h),
                                 Qt::AlignLeft | Qt::AlignVCenter, label);
            }
        }
    }
    if (!content.xTitle.isEmpty())
        painter.drawText(
            QRectF(area.left(), area.bottom() + kTickLength + h + kGap, area.width(), h),
            Qt::AlignCenter, content.xTitle);
    for (int axis = 0; axis < 2; ++axis) {
        if (content.yTitles[axis].isEmpty() || (axis == 1 && !frame.hasRightAxis))
            continue;
        painter.save();
        painter.setPen(content.yTitleColours[axis].isValid() ? content.yTitleColours[axis]
                                                             : kAxisColour);
        const double x =
            axis == 0 ? area.left() - kTickLength - 2 * kGap - widestLabel(yTicks[0], metrics) - h
                      : area.right() + kTickLength + 2 * kGap + widestLabel(yTicks[1], metrics);
        painter.translate(x + h / 2, area.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-area.height() / 2, -h / 2, area.height(), h), Qt::AlignCenter,
                         content.yTitles[axis]);
        painter.restore();
    }
    if (!content.caption.isEmpty()) {
        const QRectF box(area.left() + 1, area.top() + 1,
                         metrics.horizontalAdvance(content.caption) + 2 * kGap, h);
        painter.fillRect(box, QColor(255, 255, 255, 200));
        painter.drawText(box, Qt::AlignCenter, content.caption);
    }
    const bool empty = std::all_of(content.markers.begin(), content.markers.end(),
                                   [](const PlotMarkers& m) { return m.points.empty(); });
    if (empty && !content.emptyText.isEmpty())
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, content.emptyText);
    painter.restore();
}

std::optional<std::pair<int, int>> markerAt(const PlotFrame& frame, const PlotContent& content,
                                            QPointF devicePos, double radius) {
    std::optional<std::pair<int, int>> best;
    double bestDistance = radius * radius;
    for (int s = 0; s < int(content.markers.size()); ++s) {
        const auto& set = content.markers[s];
        for (int i = 0; i < int(set.points.size()); ++i) {
            const QPointF d = frame.toDevice(set.points[i], set.axis) - devicePos;
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = std::make_pair(s, i);
            }
        }
    }
    return best;
}

} // namespace traxilo
