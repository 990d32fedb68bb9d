#include "document/document_commands.h"

#include <algorithm>

namespace traxilo {

ChangePositions::ChangePositions(MeasurementDocument* document, const QString& text,
                                 std::vector<PositionChange> changes)
    : QUndoCommand(text), m_document(document), m_changes(std::move(changes)) {}

void ChangePositions::undo() {
    m_document->applyPositions(m_changes, false);
}

void ChangePositions::redo() {
    m_document->applyPositions(m_changes, true);
}

ChangePositions* recordPosition(MeasurementDocument* document, int frame, int point,
                                const PointPosition& position) {
    return new ChangePositions(document, QStringLiteral("le pointage"),
                               {{frame, point, document->position(frame, point), position}});
}

ChangePositions* clearPositions(MeasurementDocument* document, int firstFrame, int lastFrame,
                                int firstPoint, int lastPoint) {
    std::vector<PositionChange> changes = document->clearingOf(
        firstFrame, lastFrame, firstPoint, std::min(lastPoint, document->pointsPerFrame()));
    if (changes.empty())
        return nullptr;
    return new ChangePositions(document, QStringLiteral("l'effacement"), std::move(changes));
}

SetTimeOrigin::SetTimeOrigin(MeasurementDocument* document, int frame)
    : QUndoCommand(QStringLiteral("l'origine des dates")), m_document(document),
      m_before(document->timeOrigin()), m_after(frame) {}

void SetTimeOrigin::undo() {
    m_document->setTimeOrigin(m_before);
}

void SetTimeOrigin::redo() {
    m_document->setTimeOrigin(m_after);
}

ChangeCalibration::ChangeCalibration(MeasurementDocument* document, const QString& text,
                                     const Calibration& calibration, const QString& distanceText,
                                     int edit)
    : QUndoCommand(text), m_document(document), m_before(document->calibration()),
      m_distanceBefore(document->distanceText()), m_after(calibration),
      m_distanceAfter(distanceText), m_edit(edit) {}

void ChangeCalibration::undo() {
    m_document->setCalibration(m_before, m_distanceBefore);
}

void ChangeCalibration::redo() {
    m_document->setCalibration(m_after, m_distanceAfter);
}

bool ChangeCalibration::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ChangeCalibration*>(other);
    if (next->m_edit != m_edit)
        return false;
    m_after = next->m_after;
    m_distanceAfter = next->m_distanceAfter;
    return true;
}

ChangePointsPerFrame::ChangePointsPerFrame(MeasurementDocument* document, int points)
    : QUndoCommand(QStringLiteral("le nombre de points par image")), m_document(document),
      m_before(document->pointsPerFrame()), m_after(std::clamp(points, 1, kMaxPoints)),
      m_currentBefore(document->currentPoint()),
      m_removed(document->clearingOf(0, document->frameCount() - 1, m_after + 1, kMaxPoints)) {}

void ChangePointsPerFrame::undo() {
    m_document->setPointsPerFrame(m_before);
    m_document->applyPositions(m_removed, false);
    m_document->setCurrentPoint(m_currentBefore);
}

void ChangePointsPerFrame::redo() {
    m_document->setPointsPerFrame(m_after);
}

ChangeStyles::ChangeStyles(MeasurementDocument* document, const QString& text,
                           const PointStyles& styles, int markSize)
    : QUndoCommand(text), m_document(document), m_before(document->styles()),
      m_markBefore(document->markSize()), m_after(styles), m_markAfter(markSize) {}

void ChangeStyles::undo() {
    m_document->setStyles(m_before, m_markBefore);
}

void ChangeStyles::redo() {
    m_document->setStyles(m_after, m_markAfter);
}

ChangeCaptureRate::ChangeCaptureRate(MeasurementDocument* document, std::optional<long double> rate,
                                     int timeDecimals, int edit)
    : QUndoCommand(QStringLiteral("la cadence de prise de vue")), m_document(document),
      m_before(document->captureRate()), m_decimalsBefore(document->timeDecimals()), m_after(rate),
      m_decimalsAfter(timeDecimals), m_edit(edit) {}

void ChangeCaptureRate::undo() {
    m_document->setCaptureRate(m_before);
    m_document->setTimeDecimals(m_decimalsBefore);
}

void ChangeCaptureRate::redo() {
    m_document->setCaptureRate(m_after);
    m_document->setTimeDecimals(m_decimalsAfter);
}

bool ChangeCaptureRate::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ChangeCaptureRate*>(other);
    if (next->m_edit != m_edit)
        return false;
    m_after = next->m_after;
    m_decimalsAfter = next->m_decimalsAfter;
    return true;
}

} // namespace traxilo
