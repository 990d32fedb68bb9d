#include "session/document_session.h"

#include "document/measurement_document.h"

#include <QUndoStack>
#include <algorithm>

namespace traxilo {

SessionData sessionOf(const MeasurementDocument& document, const SessionView& view) {
    SessionData s;
    const DocumentClip& clip = document.clip();
    s.clipPath = clip.path;
    s.frameCount = clip.frameCount;
    s.pictureSize = clip.pictureSize;
    s.codec = clip.codec;
    s.displayPercent = view.displayPercent;
    s.calibration = document.calibration();
    s.distanceText = document.distanceText();
    s.timeOrigin = document.timeOrigin() + 1;
    s.captureRate = document.captureRate();
    s.timeDecimals = document.timeDecimals();
    s.xyDigits = document.xyDigits();
    s.pointsPerFrame = document.pointsPerFrame();
    s.currentPoint = document.currentPoint();
    s.currentFrame = std::max(0, view.currentFrame);
    for (const PointMark& m : document.marks())
        s.positions.append({m.frame, m.point, m.pixel.x(), m.pixel.y(), m.automatic});
    s.styleColumns = styleColumns(document.styles(), s.pointsPerFrame);
    s.markSize = document.markSize() + 1;
    s.pointerColour = view.pointerColour;
    s.pointerShape = view.pointerShape;
    return s;
}

SessionView viewOf(const SessionData& session) {
    return {session.displayPercent, session.currentFrame, session.pointerColour,
            session.pointerShape};
}

void restoreSession(MeasurementDocument& document, const SessionData& s) {
    document.applyPositions(document.clearingOf(0, document.frameCount() - 1, 1, kMaxPoints), true);
    document.setCaptureRate(s.captureRate);
    document.setTimeDecimals(s.timeDecimals);
    document.setXyDigits(s.xyDigits);
    // The styles of points the session does not use stay the program's.
    PointStyles styles = stylesFromColumns(s.styleColumns);
    for (int k = s.pointsPerFrame + 1; k <= kMaxPoints; ++k)
        styles.point(k) = document.styles().point(k);
    document.setStyles(styles, s.markSize - 1);
    document.setPointsPerFrame(s.pointsPerFrame);
    std::vector<PositionChange> changes;
    changes.reserve(size_t(s.positions.size()));
    for (const RecordedPosition& p : s.positions)
        changes.push_back(
            {p.frame, p.point, std::nullopt, PointPosition{QPointF(p.x, p.y), p.automatic}});
    document.applyPositions(changes, true);
    document.setTimeOrigin(s.timeOrigin - 1);
    document.setCalibration(s.calibration, s.distanceText);
    document.setCurrentPoint(s.currentPoint);
    document.undoStack()->clear();
}

} // namespace traxilo
