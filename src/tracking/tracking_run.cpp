#include "tracking/tracking_run.h"

#include "clip/frame_reader.h"
#include "clip/video_source.h"

#include <QMetaObject>
#include <QThread>
#include <cmath>
#include <deque>
#include <vector>

namespace traxilo::tracking {

namespace {

constexpr int kMaxObjects = 9;
// Frames sent and not yet let go by whoever shows them: the run waits
// rather than pile up pictures (8 MB each at 1080p) in the event queue.
constexpr std::size_t kMaxUnseenFrames = 3;

QString pointPrefix(int point, int count) {
    return count > 1 ? QStringLiteral("Point %1 : ").arg(point + 1) : QString();
}

} // namespace

struct TrackingRun::Private {
    std::unique_ptr<VideoSource> source;
    std::unique_ptr<FrameReader> reader;
    std::vector<PointTracker> trackers;
    std::vector<double> times;
    bool running = false;
    int lastTracked = -1;
    // The frame of a doubt, while the question is open.
    bool waiting = false;
    TrackingDoubt doubt;
    double doubtTime = 0;
    std::deque<std::shared_ptr<const int>> sent; // of the frames sent

    double timeOf(int frame) const {
        return frame >= 0 && frame < int(times.size()) ? times[std::size_t(frame)] : frame;
    }
    void close() {
        reader.reset(); // its thread ends before the source goes
        source.reset();
        trackers.clear();
        running = false;
        waiting = false;
        doubt = TrackingDoubt();
    }
};

TrackingRun::TrackingRun(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {}

TrackingRun::~TrackingRun() {
    d->close();
}

void TrackingRun::requestStop() {
    m_stopRequested = true;
    // Wakes a run that waits on a question; harmless once it has ended.
    QMetaObject::invokeMethod(this, &TrackingRun::stop, Qt::QueuedConnection);
}

QString TrackingRun::setupProblem(const RunSetup& setup, int frameCount, QSize picture) {
    if (setup.objects.isEmpty() || setup.objects.size() > kMaxObjects)
        return QStringLiteral("Choisissez de 1 à 9 objets à suivre.");
    if (frameCount < 2)
        return QStringLiteral("Le clip n'a qu'une image : il n'y a rien à suivre.");
    if (setup.firstFrame < 0 || setup.firstFrame >= frameCount)
        return QStringLiteral("L'image de départ n'est pas dans le clip.");
    if (setup.step < 1 || setup.firstFrame + setup.step >= frameCount)
        return QStringLiteral(
            "Aucune image ne suit celle-ci avec ce pas : il n'y a rien à suivre.");
    for (int i = 0; i < setup.objects.size(); ++i) {
        const QString problem =
            objectProblem(picture, setup.objects[i].centre, setup.objects[i].radius);
        if (!problem.isEmpty())
            return pointPrefix(i, int(setup.objects.size())) + problem;
    }
    return {};
}

void TrackingRun::start(const RunSetup& setup) {
    d->close();
    m_stopRequested = false;
    d->lastTracked = -1;
    d->running = true;
    QString error;
    d->source = openVideoSource(setup.clipPath, &error);
    if (!d->source) {
        finish(RunEnd::Reason::Failed, error);
        return;
    }
    const VideoFacts& facts = d->source->facts();
    const QString problem = setupProblem(setup, facts.frameCount, QSize(facts.width, facts.height));
    if (!problem.isEmpty()) {
        finish(RunEnd::Reason::Failed, problem);
        return;
    }
    d->times = facts.timing.times;
    d->reader = std::make_unique<FrameReader>(*d->source, setup.firstFrame, setup.step);
    const FrameReader::Frame reference = d->reader->next();
    if (reference.picture.isNull()) {
        finish(RunEnd::Reason::Failed, reference.error);
        return;
    }
    for (int i = 0; i < setup.objects.size(); ++i) {
        auto tracker =
            PointTracker::start(reference.picture, setup.objects[i].centre, setup.objects[i].radius,
                                d->timeOf(reference.index), &error);
        if (!tracker) {
            finish(RunEnd::Reason::Failed, pointPrefix(i, int(setup.objects.size())) + error);
            return;
        }
        d->trackers.push_back(std::move(*tracker));
    }
    emit started((facts.frameCount - 1 - setup.firstFrame) / setup.step);
    scheduleNext();
}

void TrackingRun::scheduleNext() {
    QMetaObject::invokeMethod(this, &TrackingRun::trackNext, Qt::QueuedConnection);
}

void TrackingRun::trackNext() {
    if (!d->running || d->waiting)
        return;
    if (m_stopRequested) {
        finish(RunEnd::Reason::Stopped);
        return;
    }
    FrameReader::Frame frame = d->reader->next();
    if (frame.index < 0) {
        finish(RunEnd::Reason::LastFrame);
        return;
    }
    const int count = int(d->trackers.size());
    TrackingDoubt doubt;
    doubt.frame = frame.index;
    doubt.picture = frame.picture;
    const double time = d->timeOf(frame.index);
    bool allTaken = true;
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const Match m = d->trackers[std::size_t(i)].match(frame.picture, time);
        doubt.matches.push_back(m);
        if (!m.accepted()) {
            allTaken = false;
            lines << pointPrefix(i, count) + explanation(m);
        }
    }
    // A frame that cannot be decoded: its one reason, for every point.
    if (frame.picture.isNull())
        lines = QStringList{frame.error};
    if (allTaken) {
        TrackedFrame tracked;
        tracked.frame = frame.index;
        tracked.picture = frame.picture;
        for (int i = 0; i < count; ++i) {
            const QPointF p = doubt.matches[i].position;
            d->trackers[std::size_t(i)].record(p, time);
            tracked.positions.push_back(p);
            tracked.sources.push_back(PointSource::Tracked);
        }
        emitFrame(std::move(tracked));
        scheduleNext();
        return;
    }
    doubt.text = lines.join('\n');
    d->doubt = doubt;
    d->doubtTime = time;
    d->waiting = true;
    emit doubtful(doubt);
}

void TrackingRun::emitFrame(TrackedFrame frame) {
    d->lastTracked = frame.frame;
    // Frames whose every copy is gone were shown and let go.
    auto seen = [this] {
        std::erase_if(d->sent, [](const auto& ticket) { return ticket.use_count() == 1; });
    };
    seen();
    while (d->sent.size() >= kMaxUnseenFrames && !m_stopRequested) {
        QThread::msleep(2);
        seen();
    }
    frame.inFlight = std::make_shared<const int>(frame.frame);
    d->sent.push_back(frame.inFlight);
    emit frameTracked(frame);
}

void TrackingRun::resolve(const QVector<PointSource>& doubtful, const QVector<QPointF>& positions) {
    TrackedFrame tracked;
    tracked.frame = d->doubt.frame;
    tracked.picture = d->doubt.picture;
    bool any = false;
    for (int i = 0; i < d->doubt.matches.size(); ++i) {
        const Match& m = d->doubt.matches[i];
        const PointSource source = m.accepted() ? PointSource::Tracked : doubtful[i];
        QPointF p = m.accepted() ? m.position : positions[i];
        if (source == PointSource::Tracked || source == PointSource::Accepted)
            d->trackers[std::size_t(i)].record(p, d->doubtTime);
        // Placed points took their look and position in placeObjects().
        any = any || source != PointSource::Skipped;
        tracked.positions.push_back(p);
        tracked.sources.push_back(source);
    }
    d->waiting = false;
    d->doubt = TrackingDoubt();
    if (any)
        emitFrame(std::move(tracked));
    scheduleNext();
}

void TrackingRun::acceptCandidates() {
    if (!d->waiting)
        return;
    QVector<PointSource> sources;
    QVector<QPointF> positions;
    for (const Match& m : d->doubt.matches) {
        sources.push_back(m.hasCandidate() ? PointSource::Accepted : PointSource::Skipped);
        positions.push_back(m.position);
    }
    resolve(sources, positions);
}

void TrackingRun::placeObjects(const QVector<QPointF>& centres) {
    if (!d->waiting)
        return;
    const int count = int(d->trackers.size());
    QStringList problems;
    if (centres.size() != count || d->doubt.picture.isNull()) {
        problems << QStringLiteral("Cette image ne peut pas servir de référence.");
    } else {
        const QSize size = d->doubt.picture.size();
        for (int i = 0; i < count; ++i) {
            if (d->doubt.matches[i].accepted())
                continue;
            const QString problem =
                objectProblem(size, centres[i], d->trackers[std::size_t(i)].radius());
            if (!problem.isEmpty())
                problems << pointPrefix(i, count) + problem;
        }
    }
    if (!problems.isEmpty()) {
        // Asked again, with the reason first.
        TrackingDoubt again = d->doubt;
        again.text = problems.join('\n') + '\n' + again.text;
        emit doubtful(again);
        return;
    }
    QVector<PointSource> sources;
    for (int i = 0; i < count; ++i) {
        if (d->doubt.matches[i].accepted()) {
            sources.push_back(PointSource::Tracked);
            continue;
        }
        d->trackers[std::size_t(i)].setReference(d->doubt.picture, centres[i], d->doubtTime);
        sources.push_back(PointSource::Placed);
    }
    resolve(sources, centres);
}

void TrackingRun::skipFrame() {
    if (!d->waiting)
        return;
    resolve(QVector<PointSource>(d->doubt.matches.size(), PointSource::Skipped),
            QVector<QPointF>(d->doubt.matches.size()));
}

void TrackingRun::stop() {
    if (d->running)
        finish(RunEnd::Reason::Stopped);
}

void TrackingRun::finish(RunEnd::Reason reason, const QString& message) {
    RunEnd end;
    end.reason = reason;
    end.lastTracked = d->lastTracked;
    end.message = message;
    d->close();
    emit finished(end);
}

} // namespace traxilo::tracking
