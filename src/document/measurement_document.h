#pragma once

#include "geometry/calibration.h"
#include "geometry/pixel_conversion.h"
#include "pointing/drawing.h"
#include "pointing/style_table.h"

#include <QObject>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class QUndoStack;

namespace traxilo {

// A recorded position: pixels of the upright picture as shown at 100 %.
struct PointPosition {
    QPointF pixel;
    bool automatic = false; // found by the tracker rather than clicked
    bool operator==(const PointPosition&) const = default;
};

// One point of one frame before and after a change.
struct PositionChange {
    int frame = 0; // 0-based
    int point = 1; // 1..9
    std::optional<PointPosition> before;
    std::optional<PointPosition> after;
};

// The clip the measurements belong to, and each frame's own time.
struct DocumentClip {
    QString path;
    int frameCount = 0;
    QSize pictureSize; // upright, square pixels
    QString codec;
    long double period = 0; // seconds per frame, on average
    // Seconds from the first frame, one per frame; empty when the frames are
    // evenly spaced (frame i is then at i x period).
    std::vector<long double> times;
};

// The one owner of the measurements and of everything that gives them a
// meaning: the clip's frames and times, the calibration, the time origin,
// the points per frame, every recorded position, the styles and the digits
// the values are written with. Metres and times are computed when asked.
//
// The setters change the state and say what changed; the window changes the
// measurements through the undo commands (document_commands.h), which call
// them. Settings of how values are written (digits, decimals of t) and where
// the user stands (the current point) are not undone.
class MeasurementDocument : public QObject {
    Q_OBJECT
public:
    explicit MeasurementDocument(QObject* parent = nullptr);
    ~MeasurementDocument() override;

    QUndoStack* undoStack() const { return m_undo; }

    // ---- The clip ----
    // A new clip: no position, one point per frame, the time origin on the
    // first frame, t with `timeDecimals` decimals, no capture rate, the
    // calibration reset with the origin on the bottom-left pixel. Styles,
    // mark size and digits of x and y stay. A new undo history starts.
    void openClip(const DocumentClip& clip, int timeDecimals = 3);
    bool hasClip() const { return m_clip.frameCount > 0; }
    const DocumentClip& clip() const { return m_clip; }
    int frameCount() const { return m_clip.frameCount; }
    QSize pictureSize() const { return m_clip.pictureSize; }

    // ---- Times ----
    // The rate the clip was filmed at when it is not the rate it plays at.
    std::optional<long double> captureRate() const { return m_captureRate; }
    long double timeScale() const; // file rate / capture rate, 1 without one
    // Seconds from the first frame, with the capture rate.
    long double frameTime(int frame) const;
    int timeOrigin() const { return m_timeOrigin; } // frame index
    // Seconds from the time origin (negative before it).
    long double timeOf(int frame) const;
    int timeDecimals() const { return m_timeDecimals; }
    // The decimals of t that keep the times of frames apart, with a capture
    // rate: 3, or more for frames less than 10 ms apart.
    int timeDecimalsFor(std::optional<long double> captureRate) const;
    QString tFormat() const; // "0.000"; empty without a clip
    // The time as the table writes it; empty before the time origin.
    QString timeText(int frame) const;

    // ---- Calibration ----
    const Calibration& calibration() const { return m_calibration; }
    // The distance field as typed at its last valid value.
    const QString& distanceText() const { return m_distanceText; }

    // ---- Points ----
    int pointsPerFrame() const { return m_points; }
    int currentPoint() const { return m_currentPoint; }
    std::optional<PointPosition> position(int frame, int point) const;
    bool hasPositions() const { return m_count > 0; }
    int positionCount() const { return m_count; }
    // Is any point above `points` recorded on some frame?
    bool hasPositionsAbove(int points) const;
    // Every recorded position of points 1..pointsPerFrame, by frame then point.
    std::vector<PointMark> marks() const;
    // Every recorded position of `point` as a change that removes it.
    std::vector<PositionChange> clearingOf(int firstFrame, int lastFrame, int firstPoint,
                                           int lastPoint) const;
    // In the calibrated frame, in metres.
    std::optional<FramePosition> metres(int frame, int point) const;
    // The variables' names as every export writes them: "t", "x", "y", or
    // "t", "x1", "y1", "x2", ... with two points or more.
    QStringList variableNames() const;
    // The x and y as the table writes them; empty when not recorded.
    QString xText(int frame, int point) const;
    QString yText(int frame, int point) const;

    // ---- Looks ----
    const PointStyles& styles() const { return m_styles; }
    int markSize() const { return m_markSize; } // r, 0..4
    int xyDigits() const { return m_xyDigits; } // 1..5

    // ---- Changes (the undo commands and the settings) ----
    void applyPositions(const std::vector<PositionChange>& changes, bool forward);
    void setTimeOrigin(int frame);
    void setCalibration(const Calibration& calibration, const QString& distanceText);
    // Positions of points above n are dropped: the command that lowers the
    // number keeps them for its undo.
    void setPointsPerFrame(int n);
    void setStyles(const PointStyles& styles, int markSize);
    void setCaptureRate(std::optional<long double> rate);
    void setTimeDecimals(int decimals);
    void setXyDigits(int digits);
    void setCurrentPoint(int point);

signals:
    void clipOpened(); // everything is new
    void positionsChanged(int firstFrame, int lastFrame);
    void calibrationChanged();
    void timeOriginChanged();
    void timesChanged(); // capture rate or decimals of t
    void pointsPerFrameChanged();
    void stylesChanged();
    void xyDigitsChanged();
    void currentPointChanged();

private:
    using FramePoints = std::array<std::optional<PointPosition>, kMaxPoints>;
    QString resetDistanceText() const;
    bool validPoint(int frame, int point) const;

    QUndoStack* m_undo;
    DocumentClip m_clip;
    std::optional<long double> m_captureRate;
    int m_timeOrigin = 0;
    int m_timeDecimals = 3;
    Calibration m_calibration;
    QString m_distanceText;
    int m_points = 1;
    int m_currentPoint = 1;
    std::vector<FramePoints> m_positions;
    int m_count = 0;
    PointStyles m_styles;
    int m_markSize = 1;
    int m_xyDigits = 3;
};

// Asked before fewer points per frame (n) drop points that hold positions;
// nothing when no point beyond n has any.
std::optional<QString> fewerPointsQuestion(const MeasurementDocument& document, int n);

} // namespace traxilo
