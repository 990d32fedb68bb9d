#include "clipgen/tracking_scene.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace traxilo::clipgen {

std::optional<ClipSpec> trackingRecipe(const QString& name) {
    ClipSpec s;
    s.codec = Codec::H264;
    s.container = Container::Mp4;
    s.width = 1920;
    s.height = 1080;
    s.fpsNum = 60;
    s.frames = 50;
    s.gop = 30;
    s.bFrames = 2;
    s.motion = Motion::Throw;
    // Slow enough at the start that the second frame is where a ball at rest
    // would be, give or take the tracker's margin.
    s.v0x = 0.8;
    s.v0y = 1.2;
    s.tracking.enabled = true;
    if (name == QLatin1String("track-throw")) {
        // as above
    } else if (name == QLatin1String("track-blur-shadow")) {
        s.frames = 60;
        s.tracking.exposure = 1.0 / 120;
        s.tracking.shadowBand = true;
        s.tracking.lightFall = 0.35;
    } else if (name == QLatin1String("track-pole")) {
        s.frames = 40;
        s.v0x = 1.6;
        s.v0y = 1.0;
        s.tracking.poleFrom = 18;
    } else if (name == QLatin1String("track-spin")) {
        s.tracking.spin = 0.5;
    } else if (name == QLatin1String("track-phone-vfr")) {
        s.fpsNum = 30;
        s.frames = 30;
        s.variableRate = true;
        s.rotation = 90;
        s.v0x = 0.3;
        s.v0y = 2.0;
        s.tracking.exposure = 1.0 / 250;
        s.tracking.lightFall = 0.15;
    } else {
        return std::nullopt;
    }
    return s;
}

QStringList trackingRecipeNames() {
    return {QStringLiteral("track-throw"), QStringLiteral("track-blur-shadow"),
            QStringLiteral("track-pole"), QStringLiteral("track-spin"),
            QStringLiteral("track-phone-vfr")};
}

namespace {

// Soft random blobs of about `cell` pixels, one value per channel.
QImage blobs(int width, int height, int cell, QRandomGenerator& random) {
    const int w = width / cell + 3;
    const int h = height / cell + 3;
    QImage small(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            small.setPixel(x, y,
                           qRgb(int(random.bounded(256u)), int(random.bounded(256u)),
                                int(random.bounded(256u))));
    }
    return small.scaled(w * cell, h * cell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Like a photographed floor or wall: blobs at three scales and a faint
// checkerboard, mostly in brightness, greenish grey.
QImage background(int width, int height) {
    QRandomGenerator random(20240611u);
    const QImage coarse = blobs(width, height, std::max(8, width / 24), random);
    const QImage middle = blobs(width, height, std::max(4, width / 96), random);
    const QImage fine = blobs(width, height, 3, random);
    const int square = std::max(6, width / 40);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = coarse.pixel(x, y);
            const double lum = 0.5 * qRed(c) + 0.3 * qRed(middle.pixel(x, y)) +
                               0.2 * qRed(fine.pixel(x, y)) - 128 +
                               (((x / square + y / square) & 1) ? 12 : -12);
            const double red = 105 + 0.9 * lum + 0.15 * (qGreen(c) - 128);
            const double green = 120 + 0.9 * lum;
            const double blue = 95 + 0.9 * lum + 0.15 * (qBlue(c) - 128);
            line[x] = qRgb(std::clamp(int(red), 0, 255), std::clamp(int(green), 0, 255),
                           std::clamp(int(blue), 0, 255));
        }
    }
    return image;
}

// The ball's own pattern, at twice its size: broad panels of colour, as
// on a beach ball, laid out so that no turn of the ball looks like another.
QImage ballPattern(double radius) {
    const int side = 2 * int(std::ceil(2 * radius)) + 4;
    const double s = side;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(225, 95, 35));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    // Slices around the centre, long enough to reach the corners.
    const QRectF around(-s / 2, -s / 2, 2 * s, 2 * s);
    const struct {
        int start;
        int span; // degrees, counter-clockwise from three o'clock
        QColor colour;
    } panels[] = {{20, 70, QColor(245, 235, 205)},
                  {130, 45, QColor(40, 70, 160)},
                  {220, 80, QColor(245, 235, 205)}};
    for (const auto& panel : panels) {
        p.setBrush(panel.colour);
        p.drawPie(around, panel.start * 16, panel.span * 16);
    }
    // A dark patch off the centre.
    p.setBrush(QColor(70, 35, 25));
    p.drawEllipse(QPointF(s * 0.66, s * 0.64), s * 0.11, s * 0.11);
    return image;
}

// Area of the disc of radius r centred at 0 beyond the line at `u`.
double discBeyond(double u, double r) {
    if (u >= r)
        return 0;
    if (u <= -r)
        return M_PI * r * r;
    return r * r * std::acos(u / r) - u * std::sqrt(r * r - u * u);
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

} // namespace

TrackingPainter::TrackingPainter(const ClipSpec& shown, double radius, Path path, ClipTruth& truth)
    : m_spec(shown), m_look(shown.tracking), m_radius(radius), m_path(std::move(path)) {
    const int w = m_spec.width;
    const int h = m_spec.height;
    for (const FrameTruth& f : truth.frames)
        m_times.push_back(f.t);
    m_background = background(w, h);
    m_ballPattern = ballPattern(radius);

    m_shade.assign(std::size_t(w) * std::size_t(h), 1.0f);
    const int frames = int(truth.frames.size());
    if (m_look.shadowBand && frames >= 3) {
        // Across the path near its middle, square to the motion there.
        const int m = std::clamp(int(frames * 0.45), 1, frames - 2);
        const QPointF centre = truth.frames[std::size_t(m)].ball;
        QPointF d = truth.frames[std::size_t(m + 1)].ball - truth.frames[std::size_t(m - 1)].ball;
        const double length = std::hypot(d.x(), d.y());
        d = length > 1e-9 ? d / length : QPointF(0, 1);
        const double half = 1.5 * radius;
        const double soft = 0.6 * radius;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double along = std::abs((x - centre.x()) * d.x() + (y - centre.y()) * d.y());
                const double inside = 1 - smoothStep(half - soft / 2, half + soft / 2, along);
                m_shade[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                    float(1 - 0.45 * inside);
            }
        }
    }

    QRandomGenerator random(977u);
    const int grain = std::max(0, m_look.grain);
    m_grain.resize(256 * 256 * 3);
    for (qint8& g : m_grain)
        g = qint8(grain > 0 ? int(random.bounded(2 * grain + 1)) - grain : 0);

    placePole(truth);
    if (!m_pole.isEmpty()) {
        for (std::size_t i = 0; i < truth.frames.size(); ++i) {
            const double t = truth.frames[i].t;
            const QPointF a = m_path(t - m_look.exposure / 2);
            const QPointF b = m_path(t + m_look.exposure / 2);
            const QRectF swept = QRectF(a, b).normalized().adjusted(-radius - 1, -radius - 1,
                                                                    radius + 1, radius + 1);
            truth.frames[i].hidden =
                m_poleUpright ? swept.left() >= m_pole.left() && swept.right() <= m_pole.right()
                              : swept.top() >= m_pole.top() && swept.bottom() <= m_pole.bottom();
            const QPointF c = truth.frames[i].ball;
            const double along = m_poleUpright ? c.x() : c.y();
            const double low = (m_poleUpright ? m_pole.left() : m_pole.top()) - along;
            const double high = (m_poleUpright ? m_pole.right() : m_pole.bottom()) - along;
            // The drawn edge of the ball reaches half a pixel past its radius.
            const double reach = radius + 0.5;
            const double covered = discBeyond(low, reach) - discBeyond(high, reach);
            truth.frames[i].visible =
                truth.frames[i].hidden ? 0.0 : 1 - covered / (M_PI * reach * reach);
        }
    }
}

void TrackingPainter::placePole(const ClipTruth& truth) {
    const int first = m_look.poleFrom;
    const int last = first + std::max(1, m_look.poleFrames) - 1;
    if (first < 0 || last >= int(truth.frames.size()))
        return;
    // Upright across a mostly sideways path, lying across a mostly upright one.
    const QPointF move =
        truth.frames[std::size_t(last)].ball - truth.frames[std::size_t(first)].ball;
    m_poleUpright = std::abs(move.x()) >= std::abs(move.y());
    double low = 1e300;
    double high = -1e300;
    for (int i = first; i <= last; ++i) {
        const double t = truth.frames[std::size_t(i)].t;
        for (const double when : {t - m_look.exposure / 2, t + m_look.exposure / 2}) {
            const QPointF c = m_path(when);
            const double along = m_poleUpright ? c.x() : c.y();
            low = std::min(low, along - m_radius - 1.5);
            high = std::max(high, along + m_radius + 1.5);
        }
    }
    m_pole = m_poleUpright ? QRectF(low, 0, high - low, m_spec.height)
                           : QRectF(0, low, m_spec.width, high - low);
}

void TrackingPainter::drawPole(QPainter& painter) const {
    if (m_pole.isEmpty())
        return;
    // A round wooden pole: dark at its sides, lighter along its middle, with
    // a few lengthwise streaks.
    QLinearGradient across = m_poleUpright ? QLinearGradient(m_pole.left(), 0, m_pole.right(), 0)
                                           : QLinearGradient(0, m_pole.top(), 0, m_pole.bottom());
    across.setColorAt(0, QColor(70, 45, 25));
    across.setColorAt(0.45, QColor(155, 110, 62));
    across.setColorAt(1, QColor(75, 48, 28));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(m_pole, across);
    painter.setPen(QPen(QColor(60, 38, 20, 110), std::max(1.0, m_radius / 12)));
    for (const double at : {0.22, 0.37, 0.61, 0.8}) {
        if (m_poleUpright) {
            const double x = m_pole.left() + at * m_pole.width();
            painter.drawLine(QPointF(x, m_pole.top()), QPointF(x, m_pole.bottom()));
        } else {
            const double y = m_pole.top() + at * m_pole.height();
            painter.drawLine(QPointF(m_pole.left(), y), QPointF(m_pole.right(), y));
        }
    }
    painter.restore();
}

void TrackingPainter::drawBall(QPainter& painter, QPointF centre, double t) const {
    const double side = m_ballPattern.width();
    QBrush pattern(m_ballPattern);
    pattern.setTransform(QTransform()
                             .translate(centre.x(), centre.y())
                             .rotate(360.0 * m_look.spin * t)
                             .scale(0.5, 0.5)
                             .translate(-side / 2, -side / 2));
    painter.setPen(Qt::NoPen);
    painter.setBrush(pattern);
    painter.drawEllipse(centre, m_radius, m_radius);
    // Lit from the upper left whichever way the ball turns.
    QRadialGradient shading(centre + QPointF(-0.35, -0.35) * m_radius, 1.6 * m_radius);
    shading.setColorAt(0, QColor(255, 255, 255, 70));
    shading.setColorAt(0.45, QColor(0, 0, 0, 0));
    shading.setColorAt(1, QColor(0, 0, 0, 120));
    painter.setBrush(shading);
    painter.drawEllipse(centre, m_radius, m_radius);
}

void TrackingPainter::light(QImage& image, int index) const {
    const int frames = int(m_times.size());
    const double gain = 1 - m_look.lightFall * index / std::max(1, frames - 1);
    // Dimming light turns warmer, as daylight does towards evening.
    const double red = 256 * std::pow(gain, 0.85);
    const double green = 256 * gain;
    const double blue = 256 * std::pow(gain, 1.2);
    const int w = image.width();
    const int ox = (index * 97) % 256;
    const int oy = (index * 61) % 256;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const float* shade = m_shade.data() + std::size_t(y) * std::size_t(w);
        const qint8* grain = m_grain.data() + std::size_t((y + oy) % 256) * 256 * 3;
        for (int x = 0; x < w; ++x) {
            const double f = shade[x];
            const qint8* g = grain + std::size_t((x + ox) % 256) * 3;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(int(qRed(c) * f * red) / 256 + g[0], 0, 255),
                           std::clamp(int(qGreen(c) * f * green) / 256 + g[1], 0, 255),
                           std::clamp(int(qBlue(c) * f * blue) / 256 + g[2], 0, 255));
        }
    }
}

QImage TrackingPainter::render(int index, const std::function<void(QPainter&)>& drawRulers) const {
    QImage image = m_background.copy();
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        drawRulers(p);
    }
    if (index >= 0 && index < int(m_times.size())) {
        // The shutter stays open `exposure` seconds around the frame's time:
        // the picture is the mean of the ball drawn at many instants.
        const double t = m_times[std::size_t(index)];
        const double e = m_look.exposure;
        const QPointF a = m_path(t - e / 2);
        const QPointF b = m_path(t + e / 2);
        const int samples =
            e > 0 ? std::clamp(int(std::ceil(2 * std::hypot(b.x() - a.x(), b.y() - a.y()))) + 1, 2,
                               48)
                  : 1;
        const double margin = m_radius + 3;
        const QRect patch =
            QRectF(a, b).normalized().adjusted(-margin, -margin, margin, margin).toAlignedRect() &
            image.rect();
        if (!patch.isEmpty()) {
            const QImage base = image.copy(patch);
            std::vector<int> sum(std::size_t(patch.width()) * std::size_t(patch.height()) * 3, 0);
            for (int k = 0; k < samples; ++k) {
                const double when = samples == 1 ? t : t - e / 2 + e * (k + 0.5) / samples;
                QImage layer = base.copy();
                QPainter p(&layer);
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setRenderHint(QPainter::SmoothPixmapTransform, true);
                p.translate(-patch.topLeft());
                drawBall(p, m_path(when), when);
                p.end();
                std::size_t at = 0;
                for (int y = 0; y < layer.height(); ++y) {
                    const auto* line = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
                    for (int x = 0; x < layer.width(); ++x) {
                        sum[at++] += qRed(line[x]);
                        sum[at++] += qGreen(line[x]);
                        sum[at++] += qBlue(line[x]);
                    }
                }
            }
            std::size_t at = 0;
            for (int y = 0; y < patch.height(); ++y) {
                auto* line =
                    reinterpret_cast<QRgb*>(image.scanLine(patch.top() + y)) + patch.left();
                for (int x = 0; x < patch.width(); ++x, at += 3)
                    line[x] = qRgb((sum[at] + samples / 2) / samples,
                                   (sum[at + 1] + samples / 2) / samples,
                                   (sum[at + 2] + samples / 2) / samples);
            }
        }
    }
    {
        QPainter p(&image);
        drawPole(p);
    }
    light(image, index);
    return image;
}

} // namespace traxilo::clipgen
