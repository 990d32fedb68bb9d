#include "clipgen/scene.h"

#include "clipgen/frame_code.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace traxilo::clipgen {

namespace {

const QColor kBackground(224, 228, 232);
const QColor kBall(220, 60, 30);

} // namespace

Scene::Scene(const ClipSpec& clipSpec) : m_spec(clipSpec) {
    const int w = clipSpec.width;
    const int h = clipSpec.height;
    const int band = frameCodeBandHeight(h);
    m_radius = std::max(3.0, w / 48.0);

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
        if (maxY - minY > 1e-9)
            ppm = std::min(ppm, (bottom - top) / (maxY - minY));
        if (maxX - minX > 1e-9)
            ppm = std::min(ppm, (right - left) / (maxX - minX));
    }
    const double startX = clipSpec.motion == Motion::Throw ? left - minX * ppm : w / 2.0;
    m_start = QPointF(startX, top + maxY * ppm);

    m_truth.g = clipSpec.g;
    m_truth.pixelsPerMetre = ppm;
    m_truth.rulerLengthM = 1.0;
    const double rulerY = h - std::max(7.0, h / 20.0);
    const double rulerX = std::max(4.0, (w - ppm) / 2.0);
    m_truth.rulerA = QPointF(rulerX, rulerY);
    m_truth.rulerB = QPointF(rulerX + ppm, rulerY);
    for (int i = 0; i < clipSpec.frames; ++i) {
        const double t = frameTime(i);
        m_truth.frames.push_back({t, ballAt(t)});
    }
}

double Scene::frameTime(int index) const {
    const double period = double(m_spec.fpsDen) / m_spec.fpsNum;
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

QImage Scene::render(int index) const {
    QImage image(m_spec.width, m_spec.height, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

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

    if (index >= 0 && index < int(m_truth.frames.size())) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBall);
        p.drawEllipse(m_truth.frames[index].ball, m_radius, m_radius);
    }
    drawFrameCode(p, m_spec.width, m_spec.height, index);
    return image;
}

} // namespace traxilo::clipgen
