#pragma once

#include "clip/frame_timing.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace traxilo {

// What the backend knows of an open clip, from its own packet index.
struct VideoFacts {
    int frameCount = 0;    // frames in presentation order
    double durationMs = 0; // whole clip, from the index's timestamps
    // The picture as shown: upright (the display rotation applied) and with
    // square pixels (the sample aspect applied). Every position is in it.
    int width = 0;
    int height = 0;
    int storedWidth = 0; // the picture as the file stores it
    int storedHeight = 0;
    int rotation = 0;       // degrees clockwise from stored to shown: 0, 90, 180, 270
    bool mirrored = false;  // and then flipped left to right
    FrameTiming timing;     // each frame's own time
    double captureRate = 0; // images per second it was filmed at, when the file says; else 0
    double frameRate = 0;   // nominal frames per second, 0 when unknown
    QString codecFourCC;    // the stream's codec tag as four characters, may be empty
    QString codecName;      // the decoder's short name ("mjpeg", "mpeg4", "h264", ...)
    QString codecLongName;  // the decoder's descriptive name ("Motion JPEG", ...)
};

// Whether a FourCC read from an AVI header names the codec the stream is
// really decoded with. Headers may lie: a camera writes "DIB " (uncompressed)
// over a Motion JPEG stream.
bool fourCCNamesDecoder(const QString& fourCC, const VideoFacts& facts);

// A clip opened for frame-exact random access. Frame i is the i-th frame in
// presentation order, whatever the order of the packets, the keyframe
// spacing or the timestamps. No FFmpeg type crosses this interface.
class VideoSource {
public:
    virtual ~VideoSource() = default;

    virtual const VideoFacts& facts() const = 0;

    // Frame `index` (0 <= index < frameCount) scaled to `size` (the natural
    // size when empty), QImage::Format_RGB32. A null image on failure, with
    // errorString() telling why.
    virtual QImage frame(int index, QSize size = {}) = 0;

    virtual QString errorString() const = 0;

    // Hint that frame `index` is likely asked for next: a backend may decode
    // it ahead of time. Callable from another thread than frame().
    virtual void prefetch(int index) { (void)index; }
    // Hint that the frames shown move backward from frame `index`: a backend
    // may decode the frames before it ahead of time. Same thread rules.
    virtual void prefetchBackward(int index) { (void)index; }
};

// Opens `path` and builds its frame index (one pass over the packets, no
// decoding). Null with a French error text in `error` when the file is not a
// clip that can be shown.
std::unique_ptr<VideoSource> openVideoSource(const QString& path, QString* error = nullptr);

} // namespace traxilo
