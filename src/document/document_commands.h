#pragma once

#include "document/measurement_document.h"

#include <QUndoCommand>
#include <optional>
#include <vector>

namespace traxilo {

// Every change of the measurements is one of these, pushed on the document's
// undo stack by the window. Each knows the document and the values before and
// after, never a widget.

// Positions set or removed: a click, a clearing, a whole tracking run.
class ChangePositions : public QUndoCommand {
public:
    ChangePositions(MeasurementDocument* document, const QString& text,
                    std::vector<PositionChange> changes);
    void undo() override;
    void redo() override;
    bool isEmpty() const { return m_changes.empty(); }
    const std::vector<PositionChange>& changes() const { return m_changes; }
    bool singlePoint() const { return m_changes.size() == 1; }

private:
    MeasurementDocument* m_document;
    std::vector<PositionChange> m_changes;
};

// A click on the picture: one point of one frame.
ChangePositions* recordPosition(MeasurementDocument* document, int frame, int point,
                                const PointPosition& position);
// Clearing frames firstFrame..lastFrame of points firstPoint..lastPoint;
// null when nothing there is recorded.
ChangePositions* clearPositions(MeasurementDocument* document, int firstFrame, int lastFrame,
                                int firstPoint, int lastPoint);

class SetTimeOrigin : public QUndoCommand {
public:
    SetTimeOrigin(MeasurementDocument* document, int frame);
    void undo() override;
    void redo() override;

private:
    MeasurementDocument* m_document;
    int m_before;
    int m_after;
};

// Typing into a field changes the measurements at every key; the changes of
// one visit of the field (the same `edit` number, 0 or more) are one step.
inline constexpr int kNotTyped = -1;

// The origin, the axis directions, the scale points and the distance.
class ChangeCalibration : public QUndoCommand {
public:
    ChangeCalibration(MeasurementDocument* document, const QString& text,
                      const Calibration& calibration, const QString& distanceText,
                      int edit = kNotTyped);
    void undo() override;
    void redo() override;
    int id() const override { return m_edit == kNotTyped ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    MeasurementDocument* m_document;
    Calibration m_before;
    QString m_distanceBefore;
    Calibration m_after;
    QString m_distanceAfter;
    int m_edit;
};

// Fewer points per frame remove the positions of the points that go; undo
// brings them back.
class ChangePointsPerFrame : public QUndoCommand {
public:
    ChangePointsPerFrame(MeasurementDocument* document, int points);
    void undo() override;
    void redo() override;

private:
    MeasurementDocument* m_document;
    int m_before;
    int m_after;
    int m_currentBefore;
    std::vector<PositionChange> m_removed;
};

// Colours, shapes and drawn flags of the points and the axes, and the mark size.
class ChangeStyles : public QUndoCommand {
public:
    ChangeStyles(MeasurementDocument* document, const QString& text, const PointStyles& styles,
                 int markSize);
    void undo() override;
    void redo() override;

private:
    MeasurementDocument* m_document;
    PointStyles m_before;
    int m_markBefore;
    PointStyles m_after;
    int m_markAfter;
};

// The rate a slow-motion clip was filmed at changes every time; with it come
// the decimals of t that keep those times exact enough.
class ChangeCaptureRate : public QUndoCommand {
public:
    ChangeCaptureRate(MeasurementDocument* document, std::optional<long double> rate,
                      int timeDecimals, int edit = kNotTyped);
    void undo() override;
    void redo() override;
    int id() const override { return m_edit == kNotTyped ? -1 : 2; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    MeasurementDocument* m_document;
    std::optional<long double> m_before;
    int m_decimalsBefore;
    std::optional<long double> m_after;
    int m_decimalsAfter;
    int m_edit;
};

} // namespace traxilo
