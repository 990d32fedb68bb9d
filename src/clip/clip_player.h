#pragma once

#include "clip/video_source.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <memory>

namespace traxilo {

// The media player of the main window: one open clip, a current position
// in frames, synchronous steps and seeks, and asynchronous playback that ends
// with notify() on the GUI thread. Every frame shown is announced by
// frameShown() at the size of the destination rectangle.
class ClipPlayer : public QObject {
    Q_OBJECT
public:
    enum class Mode { NotReady, Stopped, Playing };

    explicit ClipPlayer(QObject* parent = nullptr);
    ~ClipPlayer() override;

    // Replaces the open clip only once `path` has opened with at least one
    // frame; false (errorString() says why) leaves the open clip as it was.
    bool open(const QString& path);
    void close(); // no effect when nothing is open
    bool isOpen() const;
    QString errorString() const;
    const VideoFacts& facts() const;

    int length() const;      // frames
    double lengthMs() const; // milliseconds
    int position() const;    // index of the frame shown (or reached while playing)
    Mode mode() const;

    // Move n frames, or to an absolute frame (ending a playback), and show
    // it. False when that frame cannot be decoded: the position is on it all
    // the same, currentImage() is null and errorString() says why; no other
    // frame's picture stands in for it.
    bool step(int n, bool forward);
    bool seek(int frame);
    void play(); // from the position to the end at the clip's rate
    void stop(); // ends a playback on the frame reached

    // Where, and at which size, frames are drawn; (0, 0, width, height) of the
    // natural picture right after opening.
    QRect displayRect() const;
    void setDisplayRect(const QRect& rect);

    QImage currentImage() const; // the frame at the position, at display size

    // Frames passed over unshown during the last playback because decoding
    // fell behind the clip's rate or they could not be decoded.
    int framesSkipped() const;

signals:
    void frameShown(int index, const QImage& image);
    void notify(); // playback ended or was interrupted

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace traxilo
