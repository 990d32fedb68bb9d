#pragma once

#include "clip/video_source.h"

#include <QString>
#include <cstdint>

struct AVFormatContext;

namespace traxilo {

// What the FFmpeg reader of clips and the quick look of the open dialog
// both read from a container. Only the clip layer's FFmpeg files use these.

// A codec tag as four characters; empty when they are not all printable.
QString fourCCText(uint32_t tag);

// The picture of video stream `stream` as stored and as shown: the display
// rotation applied and the pixels made square.
void notePictureGeometry(VideoFacts& facts, AVFormatContext* format, int stream);

// Why the container library could not open the file at `path`: the file is
// incomplete when its beginning is that of a container it knows (a copy or
// a recording cut short leaves an MP4 without its index), otherwise it is no
// clip that can be recognised. A French text to follow "Impossible
// d'ouvrir le clip : ".
QString unopenedFileReason(const QString& path);

} // namespace traxilo
