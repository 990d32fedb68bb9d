#pragma once

#include "document/measurement_document.h"
#include "tracking/tracking_run.h"

#include <QObject>
#include <QPointF>
#include <QVector>
#include <functional>
#include <optional>
#include <vector>

class QThread;

namespace traxilo {

// Where an assisted tracking stands in the window.
enum class TrackingStage {
    Off,
    Choosing, // the user shows each point's object: a press on its centre, a drag to its edge
    Running,  // frames are being tracked
    Asking,   // the run stopped on a doubtful frame: the question is on show
    Placing,  // the user clicks where each object in doubt really is
};

// One assisted tracking as the window leads it: the objects chosen, the run
// in its worker thread, and the positions it recorded so far, which become
// one step of "Annuler" when it ends.
class TrackingWork : public QObject {
    Q_OBJECT
public:
    explicit TrackingWork(QObject* parent = nullptr);
    ~TrackingWork() override; // a run still going is stopped and its thread waited for

    TrackingStage stage = TrackingStage::Off;
    int pointCount = 1;                       // points per frame, when it was asked for
    QVector<tracking::TrackedObject> objects; // chosen so far, in the order of the points
    std::optional<QPointF> pressed;           // the centre a drag started from
    double radius = 0;                        // of the disc being dragged out
    int firstFrame = 0;
    int step = 1;
    tracking::TrackingDoubt doubt;       // while Asking or Placing
    QVector<QPointF> placed;             // centres clicked while Placing
    std::vector<PositionChange> changes; // recorded by the run, applied as they came

    // The run's signals reach `receiver` on its own thread, from this run
    // only: a run ended or replaced says nothing more.
    struct Handlers {
        std::function<void(int)> started;
        std::function<void(const tracking::TrackedFrame&)> frameTracked;
        std::function<void(const tracking::TrackingDoubt&)> doubtful;
        std::function<void(const tracking::RunEnd&)> finished;
    };
    // Starts `setup` in a worker thread of its own.
    void launch(const tracking::RunSetup& setup, const Handlers& handlers);
    // Calls `slot` on the run, in its thread.
    void call(void (tracking::TrackingRun::*slot)());
    void placeObjects(const QVector<QPointF>& centres);
    void requestStop(); // from the window's thread; the run says when it has ended
    // The run's thread ends; what it still sends is ignored.
    void endThread();

private:
    QThread* m_thread = nullptr;
    tracking::TrackingRun* m_run = nullptr;
    int m_generation = 0;
};

// Positions of a tracked frame as the document keeps them: found by the
// tracker (taken or accepted) or shown by hand; skipped points change nothing.
std::vector<PositionChange> trackedChanges(const MeasurementDocument& document,
                                           const tracking::TrackedFrame& frame);

} // namespace traxilo
