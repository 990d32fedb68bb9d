#pragma once

#include "tracking/point_tracker.h"

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QVector>
#include <atomic>
#include <memory>

namespace traxilo::tracking {

// One object to follow: its disc on the frame the run starts from.
struct TrackedObject {
    QPointF centre; // picture pixels, upright at 100 %
    double radius = 0;
};

struct RunSetup {
    QString clipPath;
    int firstFrame = 0;             // where the objects were shown
    int step = 1;                   // "Pas": frames from one tracked frame to the next
    QVector<TrackedObject> objects; // 1 to 9, in the order of the points
};

// How a point of a frame got its position.
enum class PointSource {
    Tracked,  // matched well where expected: recorded without a word
    Accepted, // a doubtful candidate the user accepted
    Placed,   // where the user showed the object (its look taken anew there)
    Skipped,  // no position on this frame
};

struct TrackedFrame {
    int frame = -1;
    QVector<QPointF> positions; // one per object; meaningless where Skipped
    QVector<PointSource> sources;
    QImage picture; // the frame, upright at 100 %
    // Held by every copy: once all copies are gone, the run knows the frame
    // was shown, and sends more.
    std::shared_ptr<const int> inFlight;
};

// A frame the run stopped on: nothing of it is recorded until the user
// answers with acceptCandidates(), placeObjects(), skipFrame() or stop().
struct TrackingDoubt {
    int frame = -1;
    QVector<Match> matches; // one per object; those not accepted are in doubt
    QString text;           // French: what is wrong, one line per point in doubt
    QImage picture;         // null when the frame cannot be decoded
};

struct RunEnd {
    enum class Reason { LastFrame, Stopped, Failed };
    Reason reason = Reason::LastFrame;
    int lastTracked = -1; // the last frame with a position recorded, -1 for none
    QString message;      // French, when it failed
};

// A tracking run over a clip, frame by frame in order from the first frame
// on, with the step. Lives in a worker thread (moveToThread); its slots are
// called through queued connections or QMetaObject::invokeMethod, and its
// signals reach the window the same way. It opens the clip for itself, so
// the player of the window is left alone. Uses QtCore and QtGui only.
class TrackingRun : public QObject {
    Q_OBJECT
public:
    explicit TrackingRun(QObject* parent = nullptr);
    ~TrackingRun() override;

    // From any thread: the run ends before its next frame (or on the
    // question it waits on); what was tracked stays tracked.
    void requestStop();

    // Why `setup` cannot start on a clip of `frameCount` frames of
    // `picture` size (a French sentence), or empty when it can.
    static QString setupProblem(const RunSetup& setup, int frameCount, QSize picture);

public slots:
    void start(const traxilo::tracking::RunSetup& setup);
    // Answers to a doubt. The points matched well on that frame keep their
    // positions whatever the answer, except stop().
    void acceptCandidates(); // the points in doubt take their candidates (if any)
    // One centre per object; each point in doubt gets its look anew at its
    // centre. A centre the object cannot have asks again, with the reason.
    void placeObjects(const QVector<QPointF>& centres);
    void skipFrame(); // the points in doubt get no position on this frame
    void stop();

signals:
    void started(int framesToTrack);
    void frameTracked(const traxilo::tracking::TrackedFrame& frame);
    void doubtful(const traxilo::tracking::TrackingDoubt& doubt);
    void finished(const traxilo::tracking::RunEnd& end);

private:
    void trackNext();
    void resolve(const QVector<PointSource>& sources, const QVector<QPointF>& positions);
    void finish(RunEnd::Reason reason, const QString& message = {});
    void scheduleNext();
    void emitFrame(TrackedFrame frame);

    struct Private;
    std::unique_ptr<Private> d;
    std::atomic<bool> m_stopRequested{false};
};

} // namespace traxilo::tracking
