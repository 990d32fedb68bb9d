#include "document/measurement_document.h"

#include "common/number_format.h"

#include <QUndoStack>
#include <algorithm>
#include <cmath>

namespace traxilo {

MeasurementDocument::MeasurementDocument(QObject* parent)
    : QObject(parent), m_undo(new QUndoStack(this)) {
    m_undo->setObjectName(QStringLiteral("undoStack"));
    m_distanceText = resetDistanceText();
}

QString MeasurementDocument::resetDistanceText() const {
    // The distance of the reset scale points (1, 1) and (2, 2): 1 m per pixel.
    return FormatSci(m_xyDigits - 1, std::sqrt(2.0L));
}

MeasurementDocument::~MeasurementDocument() = default;

void MeasurementDocument::openClip(const DocumentClip& clip, int timeDecimals) {
    m_undo->clear();
    m_clip = clip;
    m_clip.frameCount = std::max(0, clip.frameCount);
    if (int(m_clip.times.size()) != m_clip.frameCount)
        m_clip.times.clear();
    m_captureRate.reset();
    m_timeOrigin = 0;
    m_timeDecimals = std::clamp(timeDecimals, 0, 6);
    resetForOpenedClip(m_calibration, m_clip.pictureSize.height());
    m_distanceText = resetDistanceText();
    m_points = 1;
    m_currentPoint = 1;
    m_positions.assign(size_t(m_clip.frameCount), FramePoints{});
    m_count = 0;
    emit clipOpened();
}

long double MeasurementDocument::timeScale() const {
    // A slow-motion clip: every time in the file is multiplied by the file's
    // rate over the rate it was filmed at.
    if (!m_captureRate || !(m_clip.period > 0) || !(*m_captureRate > 0))
        return 1;
    return 1 / (m_clip.period * *m_captureRate);
}

long double MeasurementDocument::frameTime(int frame) const {
    const long double t = m_clip.times.empty() ? static_cast<long double>(frame) * m_clip.period
                                               : m_clip.times[size_t(frame)];
    const long double scale = timeScale();
    return scale == 1 ? t : t * scale;
}

long double MeasurementDocument::timeOf(int frame) const {
    // The same arithmetic as the time column always had, so that files
    // written before and after read the same times.
    const long double t = m_clip.times.empty()
                              ? static_cast<long double>(frame - m_timeOrigin) * m_clip.period
                              : m_clip.times[size_t(frame)] - m_clip.times[size_t(m_timeOrigin)];
    const long double scale = timeScale();
    return scale == 1 ? t : t * scale;
}

int MeasurementDocument::timeDecimalsFor(std::optional<long double> captureRate) const {
    // Frames a few milliseconds apart need more decimals than 3 to keep their
    // times apart: those of the shortest interval, as the times are shown.
    long double period = m_clip.period;
    for (size_t i = 1; i < m_clip.times.size(); ++i) {
        const long double interval = m_clip.times[i] - m_clip.times[i - 1];
        if (interval > 0)
            period = std::min(period, interval);
    }
    long double scale = 1;
    if (captureRate && m_clip.period > 0 && *captureRate > 0)
        scale = 1 / (m_clip.period * *captureRate);
    return TimeDecimals(period * scale);
}

QString MeasurementDocument::tFormat() const {
    return hasClip() ? TimePattern(m_timeDecimals) : QString();
}

QString MeasurementDocument::timeText(int frame) const {
    if (frame < m_timeOrigin || frame >= frameCount())
        return {};
    return FormatTime(tFormat(), timeOf(frame));
}

bool MeasurementDocument::validPoint(int frame, int point) const {
    return frame >= 0 && frame < frameCount() && point >= 1 && point <= kMaxPoints;
}

std::optional<PointPosition> MeasurementDocument::position(int frame, int point) const {
    if (!validPoint(frame, point) || point > m_points)
        return std::nullopt;
    return m_positions[size_t(frame)][size_t(point - 1)];
}

bool MeasurementDocument::hasPositionsAbove(int points) const {
    for (const FramePoints& frame : m_positions)
        for (int k = std::max(1, points + 1); k <= kMaxPoints; ++k)
            if (frame[size_t(k - 1)])
                return true;
    return false;
}

std::vector<PointMark> MeasurementDocument::marks() const {
    std::vector<PointMark> marks;
    marks.reserve(size_t(m_count));
    for (int f = 0; f < frameCount(); ++f)
        for (int k = 1; k <= m_points; ++k)
            if (const auto& p = m_positions[size_t(f)][size_t(k - 1)])
                marks.push_back({f, k, p->pixel, p->automatic});
    return marks;
}

std::vector<PositionChange> MeasurementDocument::clearingOf(int firstFrame, int lastFrame,
                                                            int firstPoint, int lastPoint) const {
    std::vector<PositionChange> changes;
    firstFrame = std::max(0, firstFrame);
    lastFrame = std::min(frameCount() - 1, lastFrame);
    firstPoint = std::max(1, firstPoint);
    lastPoint = std::min(kMaxPoints, lastPoint);
    for (int f = firstFrame; f <= lastFrame; ++f)
        for (int k = firstPoint; k <= lastPoint; ++k)
            if (const auto& p = m_positions[size_t(f)][size_t(k - 1)])
                changes.push_back({f, k, p, std::nullopt});
    return changes;
}

std::optional<FramePosition> MeasurementDocument::metres(int frame, int point) const {
    const std::optional<PointPosition> p = position(frame, point);
    if (!p)
        return std::nullopt;
    return convertPixel(m_calibration, p->pixel.x(), p->pixel.y());
}

QStringList MeasurementDocument::variableNames() const {
    QStringList names{QStringLiteral("t")};
    for (int k = 1; k <= m_points; ++k) {
        const QString number = m_points < 2 ? QString() : QString::number(k);
        names << QStringLiteral("x") + number << QStringLiteral("y") + number;
    }
    return names;
}

QString MeasurementDocument::xText(int frame, int point) const {
    const std::optional<FramePosition> m = metres(frame, point);
    return m ? FormatSci(m_xyDigits - 1, m->x) : QString();
}

QString MeasurementDocument::yText(int frame, int point) const {
    const std::optional<FramePosition> m = metres(frame, point);
    return m ? FormatSci(m_xyDigits - 1, m->y) : QString();
}

void MeasurementDocument::applyPositions(const std::vector<PositionChange>& changes, bool forward) {
    int first = frameCount();
    int last = -1;
    for (const PositionChange& c : changes) {
        if (!validPoint(c.frame, c.point))
            continue;
        std::optional<PointPosition>& slot = m_positions[size_t(c.frame)][size_t(c.point - 1)];
        const std::optional<PointPosition>& value = forward ? c.after : c.before;
        m_count += int(bool(value)) - int(bool(slot));
        slot = value;
        first = std::min(first, c.frame);
        last = std::max(last, c.frame);
    }
    if (last >= 0)
        emit positionsChanged(first, last);
}

void MeasurementDocument::setTimeOrigin(int frame) {
    if (!hasClip())
        return;
    frame = std::clamp(frame, 0, frameCount() - 1);
    if (frame == m_timeOrigin)
        return;
    m_timeOrigin = frame;
    emit timeOriginChanged();
}

void MeasurementDocument::setCalibration(const Calibration& calibration,
                                         const QString& distanceText) {
    m_calibration = calibration;
    m_distanceText = distanceText;
    emit calibrationChanged();
}

void MeasurementDocument::setPointsPerFrame(int n) {
    n = std::clamp(n, 1, kMaxPoints);
    if (n == m_points)
        return;
    int first = frameCount();
    int last = -1;
    for (int f = 0; f < frameCount(); ++f) {
        for (int k = n + 1; k <= kMaxPoints; ++k) {
            std::optional<PointPosition>& slot = m_positions[size_t(f)][size_t(k - 1)];
            if (slot) {
                slot.reset();
                --m_count;
                first = std::min(first, f);
                last = std::max(last, f);
            }
        }
    }
    m_points = n;
    m_currentPoint = std::min(m_currentPoint, n);
    emit pointsPerFrameChanged();
    if (last >= 0)
        emit positionsChanged(first, last);
}

void MeasurementDocument::setStyles(const PointStyles& styles, int markSize) {
    m_styles = styles;
    m_markSize = std::clamp(markSize, 0, 4);
    emit stylesChanged();
}

void MeasurementDocument::setCaptureRate(std::optional<long double> rate) {
    if (rate && !(*rate > 0))
        rate.reset();
    m_captureRate = rate;
    emit timesChanged();
}

void MeasurementDocument::setTimeDecimals(int decimals) {
    m_timeDecimals = std::clamp(decimals, 0, 6);
    emit timesChanged();
}

void MeasurementDocument::setXyDigits(int digits) {
    m_xyDigits = std::clamp(digits, 1, 5);
    emit xyDigitsChanged();
}

void MeasurementDocument::setCurrentPoint(int point) {
    point = std::clamp(point, 1, m_points);
    if (point == m_currentPoint)
        return;
    m_currentPoint = point;
    emit currentPointChanged();
}

std::optional<QString> fewerPointsQuestion(const MeasurementDocument& document, int n) {
    n = std::clamp(n, 1, kMaxPoints);
    if (!document.hasPositionsAbove(n))
        return std::nullopt;
    const int points = document.pointsPerFrame();
    const QString perFrame =
        n == 1 ? QStringLiteral("1 point par image") : QStringLiteral("%1 points par image").arg(n);
    const QString dropped = points == n + 1
                                ? QStringLiteral("du point n° %1").arg(n + 1)
                                : QStringLiteral("des points n° %1 à %2").arg(n + 1).arg(points);
    return QStringLiteral("Passer à %1 efface\rles mesures %2 :\r\rconfirmez-vous cette demande ?")
        .arg(perFrame, dropped);
}

} // namespace traxilo
