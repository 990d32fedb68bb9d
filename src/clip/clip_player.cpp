#include "clip/clip_player.h"

#include "clip/frame_prefetcher.h"
#include "clip/playback_worker.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace traxilo {

struct ClipPlayer::Private {
    std::unique_ptr<VideoSource> source;
    std::unique_ptr<FramePrefetcher> prefetcher; // goes before the source
    VideoFacts noFacts;
    QString error;
    Mode mode = Mode::NotReady;
    int position = 0;
    QRect rect;
    QImage current;

    // Playback: a worker decodes ahead, the GUI timer shows what is due.
    std::unique_ptr<PlaybackWorker> worker;
    QTimer timer;
    QElapsedTimer clock;
    int playStart = 0;
    int skipped = 0;

    int last() const { return source ? source->facts().frameCount - 1 : -1; }
    double periodMs() const {
        const VideoFacts& f = source->facts();
        const double p = f.frameCount > 0 ? f.durationMs / f.frameCount : 0;
        return p > 0 ? p : 40.0;
    }
    // The frame due `elapsedMs` after the playback started: at each frame's
    // own time when the frames are not evenly spaced.
    int dueFrame(qint64 elapsedMs) const {
        const FrameTiming& timing = source->facts().timing;
        if (timing.evenlySpaced || int(timing.times.size()) <= playStart)
            return playStart + int(std::floor(elapsedMs / periodMs()));
        const double at = timing.times[std::size_t(playStart)] + elapsedMs / 1000.0;
        return int(std::upper_bound(timing.times.begin(), timing.times.end(), at) -
                   timing.times.begin()) -
               1;
    }
};

ClipPlayer::ClipPlayer(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {
    d->timer.setTimerType(Qt::PreciseTimer);
    connect(&d->timer, &QTimer::timeout, this, [this] {
        const int due = std::min(d->last(), d->dueFrame(d->clock.elapsed()));
        PlaybackWorker::Ready ready = d->worker->takeUpTo(due);
        if (ready.index >= 0) {
            d->skipped += ready.dropped;
            if (ready.image.isNull()) {
                // Not decoded: passed over, the position stays on the picture shown.
                ++d->skipped;
            } else {
                d->position = ready.index;
                d->current = ready.image;
                emit frameShown(d->position, d->current);
                if (d->mode != Mode::Playing)
                    return; // a slot stopped, moved or closed the player
            }
        }
        if (d->position >= d->last() || d->worker->finished()) {
            d->timer.stop();
            d->worker.reset();
            d->mode = Mode::Stopped;
            emit notify();
        }
    });
}

ClipPlayer::~ClipPlayer() {
    close(); // threads end before the source goes
}

bool ClipPlayer::open(const QString& path) {
    // The clip on show stays until the new one has opened: a file that is
    // not a clip must not cost the user the clip being measured.
    QString error;
    std::unique_ptr<VideoSource> source = openVideoSource(path, &error);
    if (source && source->facts().frameCount <= 0) {
        // Every later step needs a frame, and the period would divide by zero.
        source.reset();
        error = QStringLiteral("Impossible d'ouvrir le clip : il ne contient aucune image.");
    }
    if (!source) {
        d->error = error;
        return false;
    }
    close();
    d->source = std::move(source);
    d->error.clear();
    d->prefetcher = std::make_unique<FramePrefetcher>(d->source.get());
    const VideoFacts& f = d->source->facts();
    d->rect = QRect(0, 0, f.width, f.height);
    d->mode = Mode::Stopped;
    d->position = 0;
    d->current = d->source->frame(0, d->rect.size());
    if (d->last() > 0)
        d->prefetcher->request(1);
    if (!d->current.isNull())
        emit frameShown(0, d->current);
    return true;
}

void ClipPlayer::close() {
    d->timer.stop();
    d->worker.reset();
    d->prefetcher.reset();
    d->source.reset();
    d->mode = Mode::NotReady;
    d->position = 0;
    d->rect = QRect();
    d->current = QImage();
}

bool ClipPlayer::isOpen() const {
    return d->source != nullptr;
}

QString ClipPlayer::errorString() const {
    return d->error;
}

const VideoFacts& ClipPlayer::facts() const {
    return d->source ? d->source->facts() : d->noFacts;
}

int ClipPlayer::length() const {
    return d->source ? d->source->facts().frameCount : 0;
}

double ClipPlayer::lengthMs() const {
    return d->source ? d->source->facts().durationMs : 0;
}

int ClipPlayer::position() const {
    return d->position;
}

ClipPlayer::Mode ClipPlayer::mode() const {
    return d->mode;
}

bool ClipPlayer::step(int n, bool forward) {
    if (!d->source)
        return false;
    stop();
    const long long target = (long long)d->position + (forward ? n : -(long long)n);
    return seek(int(std::clamp<long long>(target, 0, d->last())));
}

bool ClipPlayer::seek(int frame) {
    if (!d->source)
        return false;
    stop();
    const int previous = d->position;
    d->position = std::clamp(frame, 0, d->last());
    QImage image = d->source->frame(d->position, d->rect.size());
    // Stepping forward frame by frame: have the next one decoded meanwhile.
    // Stepping backward: the frames before, from their keyframes, before the
    // user reaches them.
    constexpr int kLongestStep = 10; // longer moves are jumps
    if (d->position == previous + 1 && d->position < d->last())
        d->prefetcher->request(d->position + 1);
    else if (d->position < previous && previous - d->position <= kLongestStep && d->position > 0)
        d->prefetcher->requestBackward(d->position);
    d->current = image;
    if (image.isNull()) {
        d->error = d->source->errorString();
        return false;
    }
    emit frameShown(d->position, d->current);
    return true;
}

void ClipPlayer::play() {
    if (!d->source || d->mode == Mode::Playing)
        return;
    if (d->position >= d->last()) {
        // Nothing left to play: the playback ends at once.
        QMetaObject::invokeMethod(this, &ClipPlayer::notify, Qt::QueuedConnection);
        return;
    }
    d->mode = Mode::Playing;
    d->skipped = 0;
    d->playStart = d->position;
    d->worker = std::make_unique<PlaybackWorker>(d->source.get(), d->position + 1, d->last(),
                                                 d->rect.size());
    d->clock.start();
    d->timer.start(std::clamp(int(d->periodMs() / 4), 1, 10));
}

void ClipPlayer::stop() {
    if (d->mode != Mode::Playing)
        return;
    d->timer.stop();
    d->worker.reset();
    d->mode = Mode::Stopped;
    // Like the end of a playback, an interruption is announced as an event
    // once the command that caused it is done.
    QMetaObject::invokeMethod(this, &ClipPlayer::notify, Qt::QueuedConnection);
}

QRect ClipPlayer::displayRect() const {
    return d->rect;
}

void ClipPlayer::setDisplayRect(const QRect& rect) {
    const bool resized = rect.size() != d->rect.size();
    d->rect = rect;
    if (!d->source || !resized || rect.isEmpty())
        return;
    if (d->mode == Mode::Playing) {
        // Go on from the frame reached, decoding at the new size.
        d->worker.reset();
        d->worker = std::make_unique<PlaybackWorker>(d->source.get(), d->position + 1, d->last(),
                                                     rect.size());
        d->playStart = d->position;
        d->clock.start();
        return;
    }
    QImage image = d->source->frame(d->position, rect.size());
    if (!image.isNull()) {
        d->current = image;
        emit frameShown(d->position, d->current);
    }
}

QImage ClipPlayer::currentImage() const {
    return d->current;
}

int ClipPlayer::framesSkipped() const {
    return d->skipped;
}

} // namespace traxilo
