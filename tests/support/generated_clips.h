#pragma once

#include "clipgen/clip_generator.h"

#include <QString>

namespace traxilo::testing {

// Writes a clip from the generator into a folder removed when the test ends
// and returns its path (empty on failure, with `error` set). The same name
// returns the clip already written.
QString generatedClip(const clipgen::ClipSpec& clipSpec, const QString& name,
                      QString* error = nullptr);

// A folder for files a test writes, removed when the test ends.
QString scratchFolder();

// A generated H.264 MP4 as a copy or a recording cut short leaves it: the
// index ("moov" box), which the muxer writes last, is missing. Its path, or
// empty on failure.
QString mp4WithoutIndex();

} // namespace traxilo::testing
