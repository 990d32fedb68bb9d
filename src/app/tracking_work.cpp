#include "app/tracking_work.h"

#include <QMetaObject>
#include <QThread>

namespace traxilo {

using tracking::TrackingRun;

TrackingWork::TrackingWork(QObject* parent) : QObject(parent) {}

TrackingWork::~TrackingWork() {
    endThread();
}

void TrackingWork::launch(const tracking::RunSetup& setup, const Handlers& handlers) {
    endThread();
    const int generation = ++m_generation;
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("tracking"));
    m_run = new TrackingRun;
    m_run->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_run, &QObject::deleteLater);
    // Each handler checks that its run is still the current one: signals
    // already queued when a run is ended must not reach the next one.
    auto current = [this, generation] { return generation == m_generation; };
    connect(m_run, &TrackingRun::started, this, [current, h = handlers.started](int frames) {
        if (current())
            h(frames);
    });
    connect(m_run, &TrackingRun::frameTracked, this,
            [current, h = handlers.frameTracked](const tracking::TrackedFrame& frame) {
                if (current())
                    h(frame);
            });
    connect(m_run, &TrackingRun::doubtful, this,
            [current, h = handlers.doubtful](const tracking::TrackingDoubt& doubt) {
                if (current())
                    h(doubt);
            });
    connect(m_run, &TrackingRun::finished, this,
            [current, h = handlers.finished](const tracking::RunEnd& end) {
                if (current())
                    h(end);
            });
    m_thread->start();
    QMetaObject::invokeMethod(
        m_run, [run = m_run, setup] { run->start(setup); }, Qt::QueuedConnection);
}

void TrackingWork::call(void (TrackingRun::*slot)()) {
    if (m_run)
        QMetaObject::invokeMethod(m_run, slot, Qt::QueuedConnection);
}

void TrackingWork::placeObjects(const QVector<QPointF>& centres) {
    if (m_run)
        QMetaObject::invokeMethod(
            m_run, [run = m_run, centres] { run->placeObjects(centres); }, Qt::QueuedConnection);
}

void TrackingWork::requestStop() {
    if (m_run)
        m_run->requestStop();
}

void TrackingWork::endThread() {
    ++m_generation;
    if (!m_thread)
        return;
    m_run->requestStop(); // a run waiting for room for its frames goes on at once
    m_thread->quit();
    m_thread->wait();
    delete m_thread; // the run went with the thread's end
    m_thread = nullptr;
    m_run = nullptr;
}

std::vector<PositionChange> trackedChanges(const MeasurementDocument& document,
                                           const tracking::TrackedFrame& frame) {
    std::vector<PositionChange> changes;
    for (int i = 0; i < frame.positions.size() && i < frame.sources.size(); ++i) {
        const tracking::PointSource source = frame.sources[i];
        if (source == tracking::PointSource::Skipped)
            continue;
        const PointPosition after{frame.positions[i], source != tracking::PointSource::Placed};
        changes.push_back({frame.frame, i + 1, document.position(frame.frame, i + 1), after});
    }
    return changes;
}

} // namespace traxilo
