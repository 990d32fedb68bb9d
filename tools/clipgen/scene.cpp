#include "clipgen/scene.h"

#include "clipgen/frame_code.h"
#include "clipgen/tracking_scene.h"

#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace traxilo::clipgen {

namespace {

const QColor kBackground(224, 228, 232);
const QColor kBall(220, 60, 30);

} // namespace

Scene::Scene(const ClipSpec& clipSpec) : m_spec(clipSpec) {
    const QSize shown = shownSize(clipSpec);
    m_spec.width = shown.width();
    m_spec.height = shown.height();
    const int w = m_spec.width;
    const int h = m_spec.height;
    const int band = frameCodeBandHeight(h);
    m_radius =
        clipSpec.tracking.ballRadius > 0 ? clipSpec.tracking.ballRadius : std::max(3.0, w / 48.0);

    // Scene area between the code band and the ruler strip at the bottom.
    const double margin = m_radius + 2;
    const double top = band + margin;
    const double bottom = h - std::max(14.0, h / 10.0) - margin;
    const double left = margin;
    const double right = w - margin;

    // Extent of the motion in metres (x to the right, y upward).
    const double v0x = clipSpec.motion == Motion::Throw ? clipSpec.v0x : 0;
    const double v0y = clipSpec.v0y;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < std::max(1, clipSpec.frames); ++i) {
        const double t = frameTime(i);
        const double x = v0x * t;
        const double y = v0y * t - clipSpec.g * t * t / 2;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    double ppm = clipSpec.pixelsPerMetre;
    if (ppm <= 0) {
        ppm = 0.8 * w; // the 1 m ruler must fit across the picture
        if (clipSpec.verticalRuler)
            ppm = std::min(ppm, 0.6 * h);
        if (maxY - minY > 1e-9)
            ppm = std::min(ppm, (bottom - top) / (maxY - minY));
        if (maxX - minX > 1e-9)
            ppm = std::min(ppm, (right - left) / (maxX - minX));
    }
    const double startX = clipSpec.motion == Motion::Throw ? left - minX * ppm : w / 2.0;
    m_start = QPointF(startX, top + maxY * ppm);

    m_truth.g = clipSpec.g;
    m_truth.ballRadius = m_radius;
    m_truth.pixelsPerMetre = ppm;
    m_truth.rulerLengthM = 1.0;
    const double rulerY = h - std::max(7.0, h / 20.0);
    const double rulerX = std::max(4.0, (w - ppm) / 2.0);
    m_truth.shownSize = shown;
    m_truth.rulerA = QPointF(rulerX, rulerY);
    m_truth.rulerB = QPointF(rulerX + ppm, rulerY);
    // The upright ruler stands near the left edge, its foot above the other.
    const double uprightX = std::max(6.0, w / 24.0);
    m_truth.rulerC =
        clipSpec.verticalRuler ? QPointF(uprightX, rulerY - h / 40.0 - 4) : m_truth.rulerA;
    m_truth.rulerD =
        clipSpec.verticalRuler ? QPointF(uprightX, m_truth.rulerC.y() - ppm) : m_truth.rulerB;
    for (int i = 0; i < clipSpec.frames; ++i) {
        const double t = frameTime(i);
        m_truth.frames.push_back({t, ballAt(t)});
    }
    if (clipSpec.tracking.enabled) {
        // The painter may ask where the ball is at any instant of an exposure.
        const QPointF start = m_start;
        const double v0x = clipSpec.motion == Motion::Throw ? clipSpec.v0x : 0;
        const double v0y = clipSpec.v0y;
        const double g = clipSpec.g;
        auto path = [start, v0x, v0y, g, ppm](double t) {
            return QPointF(start.x() + v0x * t * ppm, start.y() - (v0y * t - g * t * t / 2) * ppm);
        };
        m_tracking = std::make_shared<const TrackingPainter>(m_spec, m_radius, path, m_truth);
    }
}

double Scene::frameTime(int index) const {
    if (m_spec.captureRate > 0)
        return index / m_spec.captureRate;
    return stampTime(index);
}

double Scene::stampTime(int index) const {
    const double period = double(m_spec.fpsDen) / m_spec.fpsNum;
    if (m_spec.laterFpsNum > 0 && index > m_spec.rateChangeAt) {
        const double later = double(m_spec.fpsDen) / m_spec.laterFpsNum;
        return m_spec.rateChangeAt * period + (index - m_spec.rateChangeAt) * later;
    }
    if (!m_spec.variableRate)
        return index * period;
    // Whole milliseconds, alternating long and short intervals as a phone
    // records under changing light.
    static const double pattern[] = {1.0, 1.4, 0.6, 1.2, 0.8};
    long long ms = 0;
    for (int i = 0; i < index; ++i)
        ms += std::llround(period * 1000 * pattern[i % 5]);
    return ms / 1000.0;
}

QPointF Scene::ballAt(double t) const {
    const double v0x = m_spec.motion == Motion::Throw ? m_spec.v0x : 0;
    const double x = v0x * t;
    const double y = m_spec.v0y * t - m_spec.g * t * t / 2;
    const double ppm = m_truth.pixelsPerMetre;
    return QPointF(m_start.x() + x * ppm, m_start.y() - y * ppm);
}

void Scene::drawRulers(QPainter& p) const {
    // Ruler: a dark bar between its two ends, ticks every 10 cm.
    const QPointF a = m_truth.rulerA;
    const QPointF b = m_truth.rulerB;
    const double thick = std::max(2.0, m_spec.height / 80.0);
    p.fillRect(QRectF(a.x(), a.y() - thick / 2, b.x() - a.x(), thick), QColor(30, 30, 30));
    p.setPen(QPen(QColor(30, 30, 30), 1));
    for (int k = 0; k <= 10; ++k) {
        const double x = a.x() + (b.x() - a.x()) * k / 10.0;
        const double len = (k % 5 == 0) ? thick * 3 : thick * 1.5;
        p.drawLine(QPointF(x, a.y() - len), QPointF(x, a.y() + len));
    }
    if (m_spec.verticalRuler) {
        const QPointF c = m_truth.rulerC;
        const QPointF d = m_truth.rulerD;
        p.fillRect(QRectF(c.x() - thick / 2, d.y(), thick, c.y() - d.y()), QColor(30, 30, 30));
        for (int k = 0; k <= 10; ++k) {
            const double y = c.y() + (d.y() - c.y()) * k / 10.0;
            const double len = (k % 5 == 0) ? thick * 3 : thick * 1.5;
            p.drawLine(QPointF(c.x() - len, y), QPointF(c.x() + len, y));
        }
    }
}

QImage Scene::render(int index) const {
    if (m_tracking) {
        QImage image =
            m_tracking->render(index, [this](QPainter& painter) { drawRulers(painter); });
        QPainter p(&image);
        drawFrameCode(p, m_spec.width, m_spec.height, index);
        return image;
    }
    QImage image(m_spec.width, m_spec.height, QImage::Format_RGB32);
    image.fill(kBackground);
    if (m_spec.texture) {
        // Grain of a camera sensor over a coarse pattern: hard to predict.
        QRandomGenerator grain(quint32(index) * 7919u + 17u);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int base = 150 + ((x / 24 + y / 24) % 2) * 60;
                const int v = base + int(grain.bounded(48u)) - 24;
                line[x] = qRgb(v, v, std::min(255, v + 10));
            }
        }
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

    drawRulers(p);

    if (index >= 0 && index < int(m_truth.frames.size())) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBall);
        p.drawEllipse(m_truth.frames[index].ball, m_radius, m_radius);
    }
    drawFrameCode(p, m_spec.width, m_spec.height, index);
    return image;
}

} // namespace traxilo::clipgen
