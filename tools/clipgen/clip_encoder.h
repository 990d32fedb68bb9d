#pragma once

#include "clipgen/clip_generator.h"

#include <QImage>
#include <QString>
#include <memory>

namespace traxilo::clipgen {

// Encodes RGB pictures into a clip file with libavformat/libavcodec.
class ClipEncoder {
public:
    ClipEncoder();
    ~ClipEncoder();
    ClipEncoder(const ClipEncoder&) = delete;
    ClipEncoder& operator=(const ClipEncoder&) = delete;

    bool open(const ClipSpec& clipSpec, const QString& path, QString* error);
    // `timeSeconds` is the presentation time of the picture.
    bool write(const QImage& picture, double timeSeconds, QString* error);
    bool finish(QString* error);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Copies the video packets of `source` (MP4) into an AVI whose tick is half
// the frame period, as a stream copy to AVI does: the muxer writes an empty
// chunk in every gap of the timeline.
bool copyToAvi(const QString& source, const QString& path, QString* error);

// Cuts `source` (MP4 or MOV) at `cutSeconds` without re-encoding, as
// `ffmpeg -ss T -i source -c copy path` does: every stream is copied from the
// keyframe at or before the cut, its times moved so that the cut is at 0. The
// packets before the cut get negative times, and the muxer writes an edit
// list that hides them while keeping them for the decoding.
bool trimWithoutReencoding(const QString& source, const QString& path, Container container,
                           double cutSeconds, QString* error);

// Cuts an AVI inside the data of its last video chunk; its index goes too.
bool truncateAvi(const QString& path, QString* error);

} // namespace traxilo::clipgen
