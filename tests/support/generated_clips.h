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

} // namespace traxilo::testing
