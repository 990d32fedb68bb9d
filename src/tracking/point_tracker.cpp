#include "tracking/point_tracker.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <deque>

namespace traxilo::tracking {

namespace {

constexpr double kMinRadius = 3.0;
// The look is taken inside the inner 80 % of the circle drawn, and both it
// and the search area are smoothed a little (Gaussian, 1 pixel). Measured on
// the generated clips (blurred and shaded, 640 x 360): a circle drawn 15 %
// too wide let the background, which does not move with the object, into
// the look, and the run stopped on 11 frames of 59 instead of 5; the
// smoothing takes the noise and the compression out of the likeness. The
// positions kept their accuracy (worst 0.9 pixel).
constexpr double kMaskShare = 0.8;
constexpr double kSmoothing = 1.0;
// The search first runs on a picture reduced by 2, 4 or 8 while the object
// keeps at least this radius there, then at full size around the best place
// found: a masked match over a 1080p search area costs 35 ms at full size.
constexpr double kMinCoarseRadius = 6.0;
constexpr int kMaxLevels = 3;

struct Look {
    cv::Mat colours; // 8-bit BGR, the box around the disc (inside the picture)
    // 1 inside the disc, 0 outside, as floats: OpenCV 4.6 rewrites an 8-bit
    // mask in place while matching.
    cv::Mat mask;
    QPointF offset; // the centre, from the box's top left corner
};

// A picture of Format_RGB32 seen by OpenCV without a copy (B, G, R, A bytes).
cv::Mat wrap(const QImage& picture) {
    return cv::Mat(picture.height(), picture.width(), CV_8UC4, const_cast<uchar*>(picture.bits()),
                   std::size_t(picture.bytesPerLine()));
}

QImage asRgb32(const QImage& picture) {
    return picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
               ? picture
               : picture.convertToFormat(QImage::Format_RGB32);
}

// The colours of `box`, smoothed with the picture around it (not with a
// mirror of the box's own edge).
cv::Mat bgr(const cv::Mat& bgra, const cv::Rect& box) {
    const int margin = int(std::ceil(3 * kSmoothing));
    const cv::Rect wider =
        cv::Rect(box.x - margin, box.y - margin, box.width + 2 * margin, box.height + 2 * margin) &
        cv::Rect(0, 0, bgra.cols, bgra.rows);
    cv::Mat out;
    cv::cvtColor(bgra(wider), out, cv::COLOR_BGRA2BGR);
    cv::GaussianBlur(out, out, cv::Size(0, 0), kSmoothing);
    return out(cv::Rect(box.x - wider.x, box.y - wider.y, box.width, box.height));
}

Look takeLook(const QImage& picture, QPointF centre, double radius) {
    const double inner = kMaskShare * radius;
    const int left = std::max(0, int(std::floor(centre.x() - inner)));
    const int top = std::max(0, int(std::floor(centre.y() - inner)));
    const int right = std::min(picture.width() - 1, int(std::ceil(centre.x() + inner)));
    const int bottom = std::min(picture.height() - 1, int(std::ceil(centre.y() + inner)));
    const cv::Rect box(left, top, right - left + 1, bottom - top + 1);
    Look look;
    look.colours = bgr(wrap(picture), box);
    look.mask = cv::Mat::zeros(box.height, box.width, CV_32F);
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            const double dx = left + x + 0.5 - centre.x();
            const double dy = top + y + 0.5 - centre.y();
            if (dx * dx + dy * dy <= inner * inner)
                look.mask.at<float>(y, x) = 1.0f;
        }
    }
    look.offset = centre - QPointF(left, top);
    return look;
}

// Scores of `image` against the look at every place inside it; the places
// where the picture is flat (no score) get the lowest one.
cv::Mat scores(const cv::Mat& image, const cv::Mat& colours, const cv::Mat& mask) {
    cv::Mat result;
    cv::matchTemplate(image, colours, result, cv::TM_CCOEFF_NORMED, mask);
    for (int y = 0; y < result.rows; ++y) {
        auto* row = result.ptr<float>(y);
        for (int x = 0; x < result.cols; ++x) {
            if (!std::isfinite(row[x]))
                row[x] = -1.0f;
        }
    }
    return result;
}

// The vertex of the parabola through three scores, from the middle one.
double vertex(double before, double at, double after) {
    const double curve = before - 2 * at + after;
    if (!(curve < 0))
        return 0;
    return std::clamp(0.5 * (before - after) / curve, -0.5, 0.5);
}

} // namespace

QString explanation(const Match& match) {
    switch (match.verdict) {
    case Verdict::Accepted:
        return {};
    case Verdict::LowScore:
        return QStringLiteral("Ressemblance trop faible avec l'objet choisi (%1 %).")
            .arg(std::lround(std::max(0.0, match.score) * 100));
    case Verdict::TooFar: {
        const QPointF d = match.position - match.predicted;
        return QStringLiteral("Objet trouvé trop loin de l'endroit prévu (%1 pixels).")
            .arg(std::lround(std::hypot(d.x(), d.y())));
    }
    case Verdict::NotFound:
        return QStringLiteral("Objet introuvable : au bord de la zone de recherche, ou caché.");
    }
    return {};
}

QString objectProblem(QSize size, QPointF centre, double radius) {
    if (!(radius >= kMinRadius))
        return QStringLiteral("Le cercle est trop petit : son rayon doit faire au moins 3 pixels.");
    if (2 * radius > std::min(size.width(), size.height()))
        return QStringLiteral("Le cercle est trop grand : il ne tient pas dans l'image.");
    if (!(centre.x() >= 0 && centre.x() < size.width() && centre.y() >= 0 &&
          centre.y() < size.height()))
        return QStringLiteral("Le centre de l'objet est hors de l'image.");
    return {};
}

struct PointTracker::Private {
    double radius = 0;
    Look look;
    std::deque<std::pair<double, QPointF>> known; // time, position; the latest first
};

PointTracker::PointTracker(std::unique_ptr<Private> p) : d(std::move(p)) {}
PointTracker::PointTracker(PointTracker&&) noexcept = default;
PointTracker& PointTracker::operator=(PointTracker&&) noexcept = default;
PointTracker::~PointTracker() = default;

std::optional<PointTracker> PointTracker::start(const QImage& picture, QPointF centre,
                                                double radius, double time, QString* error) {
    auto p = std::make_unique<Private>();
    p->radius = radius;
    PointTracker tracker(std::move(p));
    if (!tracker.setReference(picture, centre, time, error))
        return std::nullopt;
    return tracker;
}

double PointTracker::radius() const {
    return d->radius;
}

bool PointTracker::setReference(const QImage& picture, QPointF centre, double time,
                                QString* error) {
    const QString problem = picture.isNull() ? QStringLiteral("Image illisible.")
                                             : objectProblem(picture.size(), centre, d->radius);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    d->look = takeLook(asRgb32(picture), centre, d->radius);
    record(centre, time);
    return true;
}

void PointTracker::record(QPointF position, double time) {
    d->known.emplace_front(time, position);
    if (d->known.size() > 3)
        d->known.pop_back();
}

QPointF PointTracker::predict(double t) const {
    const auto& k = d->known;
    if (k.empty())
        return {};
    const double t0 = k[0].first;
    const QPointF p0 = k[0].second;
    const bool two = k.size() >= 2 && k[1].first < t0;
    const bool three = two && k.size() >= 3 && k[2].first < k[1].first;
    if (three) {
        // Lagrange's parabola through the three; 3 x0 - 3 x1 + x2 at a
        // regular rate, and right on a clip of variable rate too.
        const double t1 = k[1].first;
        const double t2 = k[2].first;
        const double l0 = (t - t1) * (t - t2) / ((t0 - t1) * (t0 - t2));
        const double l1 = (t - t0) * (t - t2) / ((t1 - t0) * (t1 - t2));
        const double l2 = (t - t0) * (t - t1) / ((t2 - t0) * (t2 - t1));
        return l0 * p0 + l1 * k[1].second + l2 * k[2].second;
    }
    if (two)
        return p0 + (p0 - k[1].second) * ((t - t0) / (t0 - k[1].first));
    return p0;
}

Match PointTracker::match(const QImage& frame, double time) const {
    Match m;
    m.predicted = predict(time);
    if (frame.isNull() || d->known.empty())
        return m;
    const QImage picture = asRgb32(frame);
    const cv::Mat whole = wrap(picture);
    const Look& look = d->look;
    const int tw = look.colours.cols;
    const int th = look.colours.rows;

    // The search area: the places of the box's corner for centres within
    // the last displacement (scaled to the time since) plus twice the radius
    // of the prediction.
    double reach = 2 * d->radius;
    const auto& k = d->known;
    if (k.size() >= 2 && k[1].first < k[0].first) {
        const QPointF step = k[0].second - k[1].second;
        const double ratio = std::max(1.0, (time - k[0].first) / (k[0].first - k[1].first));
        reach += std::hypot(step.x(), step.y()) * ratio;
    }
    const QPointF corner = m.predicted - look.offset;
    const int x0 = std::max(0, int(std::floor(corner.x() - reach)));
    const int y0 = std::max(0, int(std::floor(corner.y() - reach)));
    const int x1 = std::min(picture.width() - tw, int(std::ceil(corner.x() + reach)));
    const int y1 = std::min(picture.height() - th, int(std::ceil(corner.y() + reach)));
    if (x1 < x0 || y1 < y0 || !std::isfinite(corner.x()) || !std::isfinite(corner.y()))
        return m;

    // Where the best corner is, coarse first when the object is big.
    int bestX = 0;
    int bestY = 0;
    int levels = 0;
    while (levels < kMaxLevels && d->radius / (2 << levels) >= kMinCoarseRadius)
        ++levels;
    const int factor = 1 << levels;
    if (levels > 0 && (x1 - x0) > 4 * factor && (y1 - y0) > 4 * factor) {
        cv::Mat image = bgr(whole, cv::Rect(x0, y0, x1 - x0 + tw, y1 - y0 + th));
        cv::Mat colours = look.colours;
        for (int i = 0; i < levels; ++i) {
            cv::pyrDown(image, image);
            cv::pyrDown(colours, colours);
        }
        cv::Mat mask;
        cv::resize(look.mask, mask, colours.size(), 0, 0, cv::INTER_AREA);
        cv::threshold(mask, mask, 0.5, 1.0, cv::THRESH_BINARY);
        if (image.cols < colours.cols || image.rows < colours.rows || cv::countNonZero(mask) == 0)
            return m;
        const cv::Mat coarse = scores(image, colours, mask);
        cv::Point peak;
        cv::minMaxLoc(coarse, nullptr, nullptr, nullptr, &peak);
        if (peak.x == 0 || peak.y == 0 || peak.x == coarse.cols - 1 || peak.y == coarse.rows - 1)
            return m; // at the edge: the object may well be beyond
        bestX = x0 + peak.x * factor;
        bestY = y0 + peak.y * factor;
    } else {
        bestX = (x0 + x1) / 2;
        bestY = (y0 + y1) / 2;
    }

    // At full size: the whole area for a small object, else a few pixels
    // around the coarse place, moved once if the peak is on its border.
    const int around = levels > 0 && (x1 - x0) > 4 * factor && (y1 - y0) > 4 * factor
                           ? factor + 1
                           : std::max(x1 - x0, y1 - y0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int ax = std::max(x0, bestX - around);
        const int ay = std::max(y0, bestY - around);
        const int bx = std::min(x1, bestX + around);
        const int by = std::min(y1, bestY + around);
        const cv::Mat fine = scores(bgr(whole, cv::Rect(ax, ay, bx - ax + tw, by - ay + th)),
                                    look.colours, look.mask);
        cv::Point peak;
        double best = 0;
        cv::minMaxLoc(fine, nullptr, &best, nullptr, &peak);
        const int px = ax + peak.x;
        const int py = ay + peak.y;
        const bool atAreaEdge = px == x0 || px == x1 || py == y0 || py == y1;
        if (atAreaEdge)
            return m;
        const bool onBorder =
            peak.x == 0 || peak.y == 0 || peak.x == fine.cols - 1 || peak.y == fine.rows - 1;
        if (onBorder && attempt == 0) {
            bestX = px;
            bestY = py;
            continue;
        }
        if (onBorder)
            return m;
        const double dx = vertex(fine.at<float>(peak.y, peak.x - 1), float(best),
                                 fine.at<float>(peak.y, peak.x + 1));
        const double dy = vertex(fine.at<float>(peak.y - 1, peak.x), float(best),
                                 fine.at<float>(peak.y + 1, peak.x));
        m.position = QPointF(px + dx, py + dy) + look.offset;
        m.score = best;
        const QPointF off = m.position - m.predicted;
        if (best < Acceptance::kMinScore)
            m.verdict = Verdict::LowScore;
        else if (std::hypot(off.x(), off.y()) > Acceptance::maxDistance(d->radius))
            m.verdict = Verdict::TooFar;
        else
            m.verdict = Verdict::Accepted;
        return m;
    }
    return m;
}

} // namespace traxilo::tracking
