#pragma once

#include "clip/video_source.h"

#include <QString>
#include <optional>

namespace traxilo {

// A quick look at a file, for the open dialog's preview: what the
// container's headers say of its video (frame count, duration, picture,
// codec), without the frame index or any decoding that opening a clip
// costs, so that browsing a folder of long clips stays quick. The frame
// count is the container's own, or the duration times the nominal rate when
// it gives none; `timing` stays empty. Empty when the file is no clip the
// video layer can open, with the reason in `why` (a French text to follow
// "Impossible d'ouvrir le clip : ").
std::optional<VideoFacts> probeVideoFile(const QString& path, QString* why = nullptr);

} // namespace traxilo
