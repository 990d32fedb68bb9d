#include "pointing/drawing.h"

#include <algorithm>
#include <optional>

#include "geometry/display_size.h"
#include "pointing/style_table.h"

#include <QPainter>
#include <QPen>
#include <cstdlib>
#include <vector>

namespace traxilo {

namespace {

// Rounds a / n (n > 0) to the nearest integer, halves away from zero.
long long roundDiv(long long a, long long n) {
    return a >= 0 ? (2 * a + n) / (2 * n) : -((-2 * a + n) / (2 * n));
}

// Collects the pixels of one colour and paints them exactly: straight runs as
// one-pixel-high or -wide rectangles, single pixels as aliased points.
class PixelWriter {
public:
    PixelWriter(QPainter& painter, const QColor& colour) : m_painter(painter) {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setBrush(Qt::NoBrush);
        setColour(colour);
    }
    ~PixelWriter() {
        flush();
        m_painter.restore();
    }
    // One writer serves many marks: changing colour costs a pen only when
    // single pixels are waiting.
    void setColour(const QColor& colour) {
        if (colour == m_colour && m_penSet)
            return;
        flush();
        m_colour = colour;
        QPen pen(colour, 1);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
        m_penSet = true;
    }
    // Every pixel written becomes the 3 x 3 square around it: the edge of
    // what the same calls draw without it.
    void setGrown(bool grown) { m_grow = grown ? 1 : 0; }
    void pixel(int x, int y) {
        if (m_grow)
            m_painter.fillRect(QRect(x - 1, y - 1, 3, 3), m_colour);
        else
            m_points.emplace_back(x, y);
    }
    // Pixels from (x0, y) through (x1, y), both included.
    void row(int x0, int x1, int y) {
        if (x1 < x0)
            std::swap(x0, x1);
        m_painter.fillRect(QRect(x0 - m_grow, y - m_grow, x1 - x0 + 1 + 2 * m_grow, 1 + 2 * m_grow),
                           m_colour);
    }
    void column(int x, int y0, int y1) {
        if (y1 < y0)
            std::swap(y0, y1);
        m_painter.fillRect(QRect(x - m_grow, y0 - m_grow, 1 + 2 * m_grow, y1 - y0 + 1 + 2 * m_grow),
                           m_colour);
    }
    // A, and every pixel towards B, B excluded.
    void lineTo(QPoint a, QPoint b) {
        const int dx = b.x() - a.x();
        const int dy = b.y() - a.y();
        if (dx == 0 && dy == 0)
            return;
        if (dy == 0) {
            row(a.x(), b.x() - (dx > 0 ? 1 : -1), a.y());
            return;
        }
        if (dx == 0) {
            column(a.x(), a.y(), b.y() - (dy > 0 ? 1 : -1));
            return;
        }
        const long long n = std::max(std::abs(dx), std::abs(dy));
        for (long long i = 0; i < n; ++i)
            pixel(a.x() + int(roundDiv(i * dx, n)), a.y() + int(roundDiv(i * dy, n)));
    }
    void flush() {
        if (!m_points.empty())
            m_painter.drawPoints(m_points.data(), int(m_points.size()));
        m_points.clear();
    }

private:
    QPainter& m_painter;
    QColor m_colour;
    bool m_penSet = false;
    int m_grow = 0;
    std::vector<QPoint> m_points;
};

void fullCross(PixelWriter& w, int r, int x, int y) {
    w.row(x - r, x + r, y);
    w.column(x, y - r, y + r);
}

void innerCross(PixelWriter& w, int r, int x, int y) {
    if (r >= 2)
        fullCross(w, r - 2, x, y);
}

// Midpoint circle of radius r: its extreme pixels touch the box x - r .. x + r.
void circle(PixelWriter& w, int r, int cx, int cy) {
    int x = 0;
    int y = r;
    int d = 1 - r;
    while (x <= y) {
        for (const QPoint& p : {QPoint(x, y), QPoint(y, x), QPoint(-x, y), QPoint(-y, x),
                                QPoint(x, -y), QPoint(y, -x), QPoint(-x, -y), QPoint(-y, -x)})
            w.pixel(cx + p.x(), cy + p.y());
        if (d < 0) {
            d += 2 * x + 3;
        } else {
            d += 2 * (x - y) + 5;
            --y;
        }
        ++x;
    }
}

} // namespace

void DrawLine(QPainter& painter, const QColor& colour, QPoint a, QPoint b) {
    PixelWriter w(painter, colour);
    w.lineTo(a, b);
}

namespace {

void axesPixels(PixelWriter& w, int xDirection, int yDirection, int x0, int y0, int H, int W,
                int k) {
    const int a = 5 * k;
    const int h = 2 * k;
    auto head = [&](QPoint tip, QPoint left, QPoint right) {
        w.lineTo(tip, left);
        w.lineTo(left, right);
        w.lineTo(right, tip);
    };
    const int B = H - 1;
    if (yDirection == 1) {
        w.lineTo({x0, B}, {x0, a});
        head({x0, 0}, {x0 - h, a}, {x0 + h, a});
    } else {
        w.lineTo({x0, 0}, {x0, B - a});
        head({x0, B}, {x0 - h, B - a}, {x0 + h, B - a});
    }
    const int R = W - 1;
    if (xDirection == 1) {
        w.lineTo({0, y0}, {R - a, y0});
        head({R, y0}, {R - a, y0 - h}, {R - a, y0 + h});
    } else {
        w.lineTo({R, y0}, {a, y0});
        head({0, y0}, {a, y0 - h}, {a, y0 + h});
    }
}

} // namespace

void DrawAxes(QPainter& painter, const QColor& colour, int xDirection, int yDirection, int x0,
              int y0, int H, int W, int k) {
    PixelWriter w(painter, colour);
    axesPixels(w, xDirection, yDirection, x0, y0, H, W, k);
}

void DrawAxesEdge(QPainter& painter, const QColor& edge, int xDirection, int yDirection, int x0,
                  int y0, int H, int W, int k) {
    PixelWriter w(painter, edge);
    w.setGrown(true);
    axesPixels(w, xDirection, yDirection, x0, y0, H, W, k);
}

static void markPixels(PixelWriter& w, int r, int x, int y, int shape) {
    if (shape < 0 || shape > 3 || r < 0 || (shape == 3 && r < 2))
        return;
    switch (shape) {
    case 0:
    case 3:
        fullCross(w, r, x, y);
        break;
    case 1:
        w.row(x - r, x + r, y - r);
        w.row(x - r, x + r, y + r);
        w.column(x - r, y - r, y + r);
        w.column(x + r, y - r, y + r);
        innerCross(w, r, x, y);
        break;
    case 2:
        circle(w, r, x, y);
        innerCross(w, r, x, y);
        break;
    }
}

void DrawMark(QPainter& painter, const QColor& colour, int r, int x, int y, int shape) {
    PixelWriter w(painter, colour);
    markPixels(w, r, x, y, shape);
}

void DrawMarkEdge(QPainter& painter, const QColor& edge, int r, int x, int y, int shape) {
    PixelWriter w(painter, edge);
    w.setGrown(true);
    markPixels(w, r, x, y, shape);
}

QColor contrastingEdge(const QColor& colour) {
    return qGray(colour.rgb()) >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255);
}

void DrawScaleSegment(QPainter& painter, Qt::PenStyle penStyle, const QColor& colour, QPoint p1,
                      QPoint p2, bool fromP2) {
    DrawMark(painter, QColor(255, 0, 0), 4, p1.x(), p1.y(), 3);
    DrawMark(painter, QColor(0, 0, 255), 4, p2.x(), p2.y(), 3);
    const QPoint from = fromP2 ? p2 : p1;
    const QPoint to = fromP2 ? p1 : p2;
    PixelWriter w(painter, colour);
    // Only solid lines are ever asked for; any style but NoPen draws solid.
    if (penStyle != Qt::NoPen)
        w.lineTo(from, to);
    w.pixel(to.x(), to.y());
}

void Drawpoints(QPainter& painter, const std::vector<PointMark>& marks, const PointStyles& styles,
                const Calibration& calibration, const DrawOptions& options) {
    const long double f = options.displayFactor;
    if (styles.axes.drawn) {
        const QPoint origin = toDisplayPixel(QPointF(calibration.Xo, calibration.Yo), f);
        DrawAxes(painter, styles.axes.colour, calibration.signX, calibration.signY, origin.x(),
                 origin.y(), options.displayHeight, options.displayWidth, 1);
    }

    PixelWriter w(painter, Qt::black);
    for (const PointMark& mark : marks) {
        const MarkStyle& style = styles.point(mark.point);
        if (!style.drawn)
            continue;
        const QPoint at = toDisplayPixel(mark.pixel, f);
        w.setColour(style.colour);
        markPixels(w, options.markSize, at.x(), at.y(), style.shape);
    }
    w.flush();

    if (options.withScaleSegment)
        DrawScaleSegment(painter, Qt::SolidLine, calibration.scaleSegmentColour,
                         toDisplayPixel(calibration.p1, f), toDisplayPixel(calibration.p2, f),
                         options.firstScalePointChecked);
}

QImage reDrawImage(const QImage& frame, const std::vector<PointMark>& marks,
                   const PointStyles& styles, const Calibration& calibration,
                   const DrawOptions& options) {
    QImage image = frame.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    Drawpoints(painter, marks, styles, calibration, options);
    return image;
}

void outlineMarks(QImage& layer, QRect area) {
    area = area.intersected(layer.rect());
    if (area.isEmpty() || layer.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    // Read from a copy: an edge pixel must not grow an edge of its own.
    const QRect source = area.adjusted(-1, -1, 1, 1).intersected(layer.rect());
    const QImage drawn = layer.copy(source);
    const auto at = [&](int x, int y) -> QRgb {
        x -= source.left();
        y -= source.top();
        if (x < 0 || y < 0 || x >= drawn.width() || y >= drawn.height())
            return 0;
        return reinterpret_cast<const QRgb*>(drawn.constScanLine(y))[x];
    };
    // The first drawn neighbour of an empty pixel decides its shade.
    const auto edge = [&](int x, int y) -> std::optional<QRgb> {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QRgb near = at(x + dx, y + dy);
                if (qAlpha(near) != 0)
                    return contrastingEdge(QColor::fromRgba(near)).rgb();
            }
        }
        return std::nullopt;
    };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qAlpha(at(x, y)) == 0) {
                if (const std::optional<QRgb> shade = edge(x, y))
                    line[x] = *shade;
            }
        }
    }
}

QRect addOutlinedMark(QImage& layer, const QColor& colour, int r, int x, int y, int shape) {
    const int reach = std::max(r, 0) + 1;
    const QRect box = QRect(x - reach, y - reach, 2 * reach + 1, 2 * reach + 1) & layer.rect();
    if (box.isEmpty() || layer.format() != QImage::Format_ARGB32_Premultiplied)
        return {};
    QImage mark(box.size(), QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::transparent);
    {
        QPainter painter(&mark);
        painter.translate(-box.topLeft());
        DrawMark(painter, colour, r, x, y, shape);
    }
    QImage outlined = mark;
    outlineMarks(outlined, outlined.rect());
    for (int j = 0; j < box.height(); ++j) {
        const auto* plain = reinterpret_cast<const QRgb*>(mark.constScanLine(j));
        const auto* edged = reinterpret_cast<const QRgb*>(outlined.constScanLine(j));
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(box.top() + j)) + box.left();
        for (int i = 0; i < box.width(); ++i) {
            if (qAlpha(plain[i]) != 0 || (qAlpha(edged[i]) != 0 && qAlpha(line[i]) == 0))
                line[i] = edged[i];
        }
    }
    return box;
}

QImage renderOverlay(QSize size, const std::vector<PointMark>& marks, const PointStyles& styles,
                     const Calibration& calibration, const DrawOptions& options) {
    QImage overlay(size, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    {
        QPainter painter(&overlay);
        Drawpoints(painter, marks, styles, calibration, options);
    }
    if (options.outlined) {
        // Only around what was drawn: most of the layer is empty.
        QRect drawnArea;
        for (int y = 0; y < overlay.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(overlay.constScanLine(y));
            for (int x = 0; x < overlay.width(); ++x) {
                if (qAlpha(line[x]) != 0)
                    drawnArea |= QRect(x, y, 1, 1);
            }
        }
        outlineMarks(overlay, drawnArea.adjusted(-1, -1, 1, 1));
    }
    return overlay;
}

void compositeOverlay(QImage& frame, const QImage& overlay) {
    QPainter painter(&frame);
    painter.drawImage(0, 0, overlay);
}

} // namespace traxilo
